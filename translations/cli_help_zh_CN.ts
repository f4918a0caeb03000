<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CliHelp</name>
    <message>
        <source>the radio&apos;s port: a device path or COMn</source>
        <translation>对讲机的端口：设备路径或 COMn</translation>
    </message>
    <message>
        <source>read the written range back and compare it</source>
        <translation>读回写入的范围并比较</translation>
    </message>
    <message>
        <source>save each radio&apos;s memory as DIR/&lt;yyyyMMdd-HHmmss&gt;-&lt;port&gt;.dat before writing to it</source>
        <translation>写入前把每台对讲机的存储器内容保存为 DIR/&lt;yyyyMMdd-HHmmss&gt;-&lt;port&gt;.dat</translation>
    </message>
    <message>
        <source>write even when channel frequencies lie outside the plan&apos;s band</source>
        <translation>即使信道频率超出写频数据的频段也写入</translation>
    </message>
    <message>
        <source>interface language: 1 Simplified Chinese, 2 Traditional Chinese, 3 English (default: the settings file&apos;s)</source>
        <translation>界面语言：1 简体中文，2 繁体中文，3 英文（默认：设置文件中的语言）</translation>
    </message>
    <message>
        <source>program folder with selvarn.exe and dhcpqec.exe (default: the program&apos;s own folder)</source>
        <translation>含 selvarn.exe 和 dhcpqec.exe 的程序文件夹（默认：程序自身所在的文件夹）</translation>
    </message>
    <message>
        <source>traffic log of transfers and full error-log entries</source>
        <translation>显示传输的通信记录和完整的错误日志条目</translation>
    </message>
    <message>
        <source>this help</source>
        <translation>显示本帮助</translation>
    </message>
    <message>
        <source>success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>usage error</source>
        <translation>用法错误</translation>
    </message>
    <message>
        <source>file error (the OS reason follows the message)</source>
        <translation>文件错误（消息后附操作系统给出的原因）</translation>
    </message>
    <message>
        <source>new plan from the default image, saved</source>
        <translation>由默认映像新建写频数据并保存</translation>
    </message>
    <message>
        <source>The default image&apos;s channels are kept; those outside the chosen band are counted on stderr (write and program refuse them unless --force).</source>
        <translation>保留默认映像中的信道；超出所选频段的信道数量显示在标准错误上（除非给出 --force，write 和 program 会拒绝它们）。</translation>
    </message>
    <message>
        <source>the data file to save (&apos;-&apos; = standard output)</source>
        <translation>要保存的数据文件（&apos;-&apos; = 标准输出）</translation>
    </message>
    <message>
        <source>band number 0..13 (see &apos;brenvik-cli bands&apos;), default 7</source>
        <translation>频段编号 0..13（见 &apos;brenvik-cli bands&apos;），默认 7</translation>
    </message>
    <message>
        <source>the decoded plan: model, band, channels, options</source>
        <translation>解码后的写频数据：机型、频段、信道、选项</translation>
    </message>
    <message>
        <source>FILE.dat &apos;-&apos; reads the plan from standard input. Channels outside the band are counted on stderr.</source>
        <translation>FILE.dat 为 &apos;-&apos; 时从标准输入读取写频数据。超出频段的信道数量显示在标准错误上。</translation>
    </message>
    <message>
        <source>one JSON object (docs/show-json.schema.json)</source>
        <translation>输出一个 JSON 对象（docs/show-json.schema.json）</translation>
    </message>
    <message>
        <source>channel table as CSV (standard output by default)</source>
        <translation>以 CSV 格式输出信道表（默认输出到标准输出）</translation>
    </message>
    <message>
        <source>The own layout has English captions and words unless --lang is given; chirp is the common channel-list layout of repeater directories.</source>
        <translation>本软件自己的格式使用英文标题和词语，除非给出 --lang；chirp 是中继台目录常用的信道列表格式。</translation>
    </message>
    <message>
        <source>the CSV file to write (&apos;-&apos; = standard output)</source>
        <translation>要写入的 CSV 文件（&apos;-&apos; = 标准输出）</translation>
    </message>
    <message>
        <source>the CSV layout (default brenvik)</source>
        <translation>CSV 格式（默认 brenvik）</translation>
    </message>
    <message>
        <source>apply the CSV rows to a plan as grid entries, save</source>
        <translation>把 CSV 各行作为表格输入应用到写频数据并保存</translation>
    </message>
    <message>
        <source>Either layout, told apart by the header. IN.csv &apos;-&apos; reads standard input; at most 1 MiB is read. Every row is checked first: a refused row changes nothing unless --skip-bad-rows. Rows past the last channel are left out with a note. A file without a row to import writes nothing. --verbose lists every refused row.</source>
        <translation>两种格式均可，按标题行区分。IN.csv 为 &apos;-&apos; 时读取标准输入；最多读取 1 MiB。先检查每一行：只要有一行被拒绝就什么也不改，除非给出 --skip-bad-rows。超出最后一个信道的行会被略去并给出提示。没有可导入行的文件不写出任何内容。--verbose 列出每个被拒绝的行。</translation>
    </message>
    <message>
        <source>import the other rows and list the refused ones</source>
        <translation>导入其余的行并列出被拒绝的行</translation>
    </message>
    <message>
        <source>the Location (or Channel) number that becomes channel 1</source>
        <translation>成为信道 1 的 Location（或 Channel）编号</translation>
    </message>
    <message>
        <source>read a radio into a data file</source>
        <translation>把对讲机读到数据文件</translation>
    </message>
    <message>
        <source>OUT.dat is checked before the radio is asked; it may not be the port. Ctrl-C, SIGTERM or SIGHUP stops the read after the frame on the wire; nothing is saved.</source>
        <translation>询问对讲机之前先检查 OUT.dat；它不能是端口。Ctrl-C、SIGTERM 或 SIGHUP 会在线路上的当前帧之后停止读取；不保存任何内容。</translation>
    </message>
    <message>
        <source>the radio could not be read</source>
        <translation>无法读取对讲机</translation>
    </message>
    <message>
        <source>file error, or OUT.dat is the port</source>
        <translation>文件错误，或 OUT.dat 就是端口</translation>
    </message>
    <message>
        <source>stopped by SIGINT, SIGTERM or SIGHUP; nothing was saved</source>
        <translation>被 SIGINT、SIGTERM 或 SIGHUP 停止；未保存任何内容</translation>
    </message>
    <message>
        <source>write a plan to each radio in turn</source>
        <translation>把写频数据依次写入每台对讲机</translation>
    </message>
    <message>
        <source>A plan with a receive or transmit frequency outside its band is refused (exit 3, the channels named) unless --force is given. A write cut off after its first data block says the radio holds part of the plan. Ctrl-C, SIGTERM or SIGHUP stops after the block on the wire; later radios are not written.</source>
        <translation>接收或发射频率超出频段的写频数据会被拒绝（退出状态 3，并列出这些信道），除非给出 --force。在第一个数据块之后中断的写入会说明对讲机中只有部分写频数据。Ctrl-C、SIGTERM 或 SIGHUP 会在线路上的当前数据块之后停止；之后的对讲机不再写入。</translation>
    </message>
    <message>
        <source>a radio could not be written (or its verify could not read it back)</source>
        <translation>有对讲机无法写入（或校验时无法读回）</translation>
    </message>
    <message>
        <source>file error, channels outside the band without --force, or a --backup folder that is an input, a port, or cannot be written</source>
        <translation>文件错误、未给出 --force 时有超出频段的信道，或 --backup 文件夹是输入文件、端口或无法写入</translation>
    </message>
    <message>
        <source>stopped by SIGINT, SIGTERM or SIGHUP: the radio being written holds part of the plan and must be written again</source>
        <translation>被 SIGINT、SIGTERM 或 SIGHUP 停止：正在写入的对讲机只有部分写频数据，必须重新写入</translation>
    </message>
    <message>
        <source>compare two plans; A and B are each FILE.dat or --port DEV</source>
        <translation>比较两份写频数据；A 和 B 各为 FILE.dat 或 --port DEV</translation>
    </message>
    <message>
        <source>Prints one line per difference: model, band, channel cells, options, then raw address ranges.</source>
        <translation>每处差异输出一行：机型、频段、信道单元格、选项，然后是原始地址范围。</translation>
    </message>
    <message>
        <source>the plans are the same</source>
        <translation>两份写频数据相同</translation>
    </message>
    <message>
        <source>the plans differ</source>
        <translation>两份写频数据不同</translation>
    </message>
    <message>
        <source>programming line: radio after radio on every port, until Ctrl-C or --count</source>
        <translation>生产线写频：在每个端口上一台接一台地写频，直到 Ctrl-C 或达到 --count</translation>
    </message>
    <message>
        <source>append one CSV line per radio</source>
        <translation>每台对讲机追加一行 CSV</translation>
    </message>
    <message>
        <source>stop after N radios passed</source>
        <translation>通过 N 台对讲机后停止</translation>
    </message>
    <message>
        <source>every radio passed</source>
        <translation>每台对讲机都通过</translation>
    </message>
    <message>
        <source>a radio failed</source>
        <translation>有对讲机失败</translation>
    </message>
    <message>
        <source>usage error, or a port that cannot be opened at the start</source>
        <translation>用法错误，或开始时有端口无法打开</translation>
    </message>
    <message>
        <source>file error, channels outside the band without --force, or a --log or --backup that is the plan or a port</source>
        <translation>文件错误、未给出 --force 时有超出频段的信道，或 --log、--backup 是写频数据文件或端口</translation>
    </message>
    <message>
        <source>list serial devices and their COM numbers</source>
        <translation>列出串口设备及其 COM 编号</translation>
    </message>
    <message>
        <source>With --watch, prints a line for each serial device that appears or disappears (plug the cable in or pull it out to see which it is), with the same columns after an EVENT column (added or removed), until Ctrl-C, SIGTERM or SIGHUP; with --json one JSON object a line, with the keys of the list plus &quot;event&quot;: &quot;added&quot; or &quot;removed&quot;. The system is asked every half second.</source>
        <translation>给出 --watch 时，每当有串口设备出现或消失就输出一行（插上或拔下写频线即可看出是哪一个），在 EVENT 列（added 或 removed）之后是相同的各列，直到 Ctrl-C、SIGTERM 或 SIGHUP；同时给出 --json 时每行一个 JSON 对象，键与列表相同，另加 &quot;event&quot;: &quot;added&quot; 或 &quot;removed&quot;。每半秒询问一次系统。</translation>
    </message>
    <message>
        <source>one JSON array (with --watch: one object a line)</source>
        <translation>输出一个 JSON 数组（给出 --watch 时：每行一个对象）</translation>
    </message>
    <message>
        <source>report devices as they come and go, until Ctrl-C</source>
        <translation>报告设备的接入与移除，直到 Ctrl-C</translation>
    </message>
    <message>
        <source>the program folder&apos;s settings cannot be used</source>
        <translation>程序文件夹的设置无法使用</translation>
    </message>
    <message>
        <source>check the programming cable and the radio behind it</source>
        <translation>检查写频线及其后面的对讲机</translation>
    </message>
    <message>
        <source>Asks the radio who it is (the same short exchange the programming line uses, which leaves the radio as it was) and prints one line each: whether the port opened (or why not and what to do), whether the cable echoes what is sent, which radio answered and whether this tool supports it, and the reply latency with the time a full read would take at 9600 baud; then the verdict. Replies slower than 5 ms point at the cable chip&apos;s USB latency timer.</source>
        <translation>询问对讲机的身份（与生产线写频相同的简短交互，不改变对讲机），并逐项各输出一行：端口是否打开（打不开时说明原因和处理办法）、写频线是否回显发送的内容、哪台对讲机应答以及本工具是否支持它、应答延迟以及按 9600 波特完整读取所需的时间；最后给出结论。应答慢于 5 ms 时，问题在写频线芯片的 USB 延迟计时器。</translation>
    </message>
    <message>
        <source>the cable&apos;s port: a device path or COMn</source>
        <translation>写频线的端口：设备路径或 COMn</translation>
    </message>
    <message>
        <source>a radio this tool supports answered</source>
        <translation>本工具支持的对讲机已应答</translation>
    </message>
    <message>
        <source>no radio answered, the radio is not supported, or the cable echoes</source>
        <translation>没有对讲机应答、对讲机不受支持，或写频线回显</translation>
    </message>
    <message>
        <source>usage error, or the port cannot be opened</source>
        <translation>用法错误，或端口无法打开</translation>
    </message>
    <message>
        <source>list the band numbers, captions and limits</source>
        <translation>列出频段编号、名称和范围</translation>
    </message>
    <message>
        <source>one JSON array</source>
        <translation>输出一个 JSON 数组</translation>
    </message>
    <message>
        <source>general help, or one command&apos;s help</source>
        <translation>总帮助，或某个命令的帮助</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>退出状态：</translation>
    </message>
    <message>
        <source> (repeatable)</source>
        <translation>（可重复）</translation>
    </message>
    <message>
        <source>.</source>
        <translation>。</translation>
    </message>
    <message>
        <source>the program&apos;s version</source>
        <translation>程序版本</translation>
    </message>
    <message>
        <source>Reads, writes and edits the channel plans of Brenvik handheld radios without a window: the desktop tool&apos;s engine for scripts and batch work.</source>
        <translation>无需窗口即可读取、写入和编辑 Brenvik 手持对讲机的写频数据：供脚本和批量工作使用的桌面工具引擎。</translation>
    </message>
    <message>
        <source>A FILE.dat or CSV argument &apos;-&apos; reads standard input; -o - writes standard output. DEV is a device path (/dev/ttyUSB0) or COMn as the settings file&apos;s [Ports] section and this machine&apos;s serial devices map it (see &apos;brenvik-cli ports&apos;).</source>
        <translation>FILE.dat 或 CSV 参数为 &apos;-&apos; 时读取标准输入；-o - 写到标准输出。DEV 是设备路径（/dev/ttyUSB0）或 COMn，按设置文件的 [Ports] 段和本机的串口设备对应（见 &apos;brenvik-cli ports&apos;）。</translation>
    </message>
    <message>
        <source>success (diff: the plans are the same)</source>
        <translation>成功（diff：两份写频数据相同）</translation>
    </message>
    <message>
        <source>a radio or port failed (diff: the plans differ)</source>
        <translation>对讲机或端口失败（diff：两份写频数据不同）</translation>
    </message>
    <message>
        <source>usage error; program: a port that cannot be opened at the start</source>
        <translation>用法错误；program：开始时有端口无法打开</translation>
    </message>
    <message>
        <source>file error, or a plan with channels outside its band (write, program)</source>
        <translation>文件错误，或写频数据中有超出频段的信道（write、program）</translation>
    </message>
    <message>
        <source>diff: the radio could not be read</source>
        <translation>diff：无法读取对讲机</translation>
    </message>
    <message>
        <source>read, write: stopped by SIGINT, SIGTERM or SIGHUP (write: the radio holds part of the plan)</source>
        <translation>read、write：被 SIGINT、SIGTERM 或 SIGHUP 停止（write：对讲机中只有部分写频数据）</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>示例：</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>示例：</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>Common options:</source>
        <translation>通用选项：</translation>
    </message>
    <message>
        <source>&apos;brenvik-cli help COMMAND&apos; or &apos;brenvik-cli COMMAND --help&apos; shows a command&apos;s options.</source>
        <translation>&apos;brenvik-cli help COMMAND&apos; 或 &apos;brenvik-cli COMMAND --help&apos; 显示某个命令的选项。</translation>
    </message>
    <message>
        <source>User Commands</source>
        <translation>用户命令</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>read, write and edit Brenvik radio plans from the command line</source>
        <translation>从命令行读取、写入和编辑 Brenvik 对讲机的写频数据</translation>
    </message>
    <message>
        <source>SYNOPSIS</source>
        <translation>概要</translation>
    </message>
    <message>
        <source>DESCRIPTION</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>COMMANDS</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>COMMON OPTIONS</source>
        <translation>通用选项</translation>
    </message>
    <message>
        <source>Every command takes these options.</source>
        <translation>每个命令都接受这些选项。</translation>
    </message>
    <message>
        <source>EXIT STATUS</source>
        <translation>退出状态</translation>
    </message>
    <message>
        <source>EXAMPLES</source>
        <translation>示例</translation>
    </message>
    <message>
        <source>SEE ALSO</source>
        <translation>另请参阅</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>用法：%1</translation>
    </message>
    <message>
        <source>Each port is checked first: a port that cannot be opened ends the command before any radio is programmed. One line per radio with its result and duration on standard output. Every result is also kept in the record of programmed radios (see &apos;brenvik-cli history&apos;); a result that cannot be recorded is still printed and logged, with a warning on stderr. Ctrl-C, SIGTERM or SIGHUP ends the line once the radios being programmed are finished and logged.</source>
        <translation>先检查每个端口：有端口无法打开时，在写任何对讲机之前结束命令。每台对讲机在标准输出上输出一行结果和用时。每个结果也会存入已编程电台记录（参见 &apos;brenvik-cli history&apos;）；无法存入记录的结果仍会输出并写入日志，同时在标准错误上给出警告。Ctrl-C、SIGTERM 或 SIGHUP 会在正在写频的对讲机完成并记录后结束生产线。</translation>
    </message>
    <message>
        <source>who programs the radios, kept in the record</source>
        <translation>为对讲机写频的操作员，存入记录中</translation>
    </message>
    <message>
        <source>list the radios programmed, newest first</source>
        <translation>列出已写频的对讲机，最新的在前</translation>
    </message>
    <message>
        <source>Every result of a programming line (&apos;brenvik-cli program&apos; or the desktop tool&apos;s Production Line) and every single Write of the desktop tool is kept in the record of programmed radios, history.sqlite beside the program (in the user&apos;s data folder when installed). DATE is a day (2026-12-11, in local time: --until includes that whole day) or a date and time in ISO 8601 (2026-12-11T08:00, 2026-12-11T08:00:00Z). The table&apos;s count goes to stderr. With --json one JSON array of objects with the keys time (ISO 8601, UTC), port, plan, planSha256, ident (hex), result (PASS or FAIL), failedStep, message, durationMs, backupFile and operator.</source>
        <translation>生产线写频（&apos;brenvik-cli program&apos; 或桌面程序的“生产线”）的每个结果，以及桌面程序的每次单独“写入”，都会存入已编程电台记录，即程序旁的 history.sqlite（安装版则位于用户的数据文件夹中）。DATE 为日期（2026-12-11，按本地时间：--until 包含当天全天），或 ISO 8601 格式的日期和时间，如 2026-12-11T08:00、2026-12-11T08:00:00Z。表格的记录条数显示在标准错误上。给出 --json 时输出一个 JSON 数组，其中每个对象的键为 time（ISO 8601，UTC）、port、plan、planSha256、ident（十六进制）、result（PASS 或 FAIL）、failedStep、message、durationMs、backupFile 和 operator。</translation>
    </message>
    <message>
        <source>records from DATE on</source>
        <translation>DATE 起的记录</translation>
    </message>
    <message>
        <source>records up to DATE</source>
        <translation>截至 DATE 的记录</translation>
    </message>
    <message>
        <source>records of this port only, as the line named it</source>
        <translation>仅此端口的记录（端口名按生产线所用）</translation>
    </message>
    <message>
        <source>records of this plan file name only</source>
        <translation>仅此写频数据文件名的记录</translation>
    </message>
    <message>
        <source>passed or failed radios only</source>
        <translation>仅通过或仅失败的对讲机</translation>
    </message>
    <message>
        <source>records of this operator only</source>
        <translation>仅此操作员的记录</translation>
    </message>
    <message>
        <source>the newest N records only</source>
        <translation>仅最新的 N 条记录</translation>
    </message>
    <message>
        <source>CSV with a header line, for spreadsheets</source>
        <translation>带表头行的 CSV，便于在电子表格中使用</translation>
    </message>
    <message>
        <source>the record cannot be read</source>
        <translation>无法读取记录</translation>
    </message>
</context>
</TS>
