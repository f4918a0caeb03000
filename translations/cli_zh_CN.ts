<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>BandGuard</name>
        <message>
            <source>%1 of %2 channels lie outside the band %3: %4</source>
            <translation>%2 个在用信道中有 %1 个超出频段 %3：%4</translation>
        </message>
        <message>
            <source>channels %1 lie outside the band %2; nothing was written (--force writes them all the same)</source>
            <translation>信道 %1 超出频段 %2；未写入任何内容（--force 可照样写入）</translation>
        </message>
        <message>
            <source>channel %1 lies outside the band %2; nothing was written (--force writes them all the same)</source>
            <translation>信道 %1 超出频段 %2；未写入任何内容（--force 可照样写入）</translation>
        </message>
    </context>
    <context>
        <name>Bands</name>
        <message>
            <source>BAND	RANGE</source>
            <translation>频段	范围</translation>
        </message>
        <message>
            <source>(default)</source>
            <translation>（默认）</translation>
        </message>
    </context>
    <context>
        <name>Csv</name>
        <message>
            <source>... and %1 more rows (--verbose lists them all)</source>
            <translation>……另有 %1 行（--verbose 全部列出）</translation>
        </message>
        <message>
            <source>note: </source>
            <translation>注意：</translation>
        </message>
        <message>
            <source>no row to import, nothing written</source>
            <translation>没有可导入的行，未写入任何内容</translation>
        </message>
        <message>
            <source>%1 row(s) refused, nothing written (--skip-bad-rows imports the other rows)</source>
            <translation>拒绝了 %1 行，未写入任何内容（--skip-bad-rows 可导入其余各行）</translation>
        </message>
        <message>
            <source>warning: </source>
            <translation>警告：</translation>
        </message>
        <message>
            <source>left out: </source>
            <translation>未导入：</translation>
        </message>
        <message>
            <source>%1 %2 is not a frequency in MHz</source>
            <translation>%1 %2 不是以 MHz 为单位的频率</translation>
        </message>
        <message>
            <source>column %1 appears twice</source>
            <translation>列 %1 出现了两次</translation>
        </message>
        <message>
            <source>columns %1 and %2 both say whether a channel is scanned: keep one</source>
            <translation>列 %1 和 %2 都表示信道是否扫描：请只保留一列</translation>
        </message>
        <message>
            <source>the header fits neither layout this tool reads: its own needs at least the columns Channel and Receive (e.g. %1), the channel-list layout at least Location and Frequency (e.g. Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,...); column names in any letter case</source>
            <translation>表头不符合本工具可读取的任何格式：本工具自己的格式至少需要 Channel 和 Receive 两列（例如 %1），频道列表格式至少需要 Location 和 Frequency 两列（例如 Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,...）；列名不分大小写</translation>
        </message>
        <message>
            <source> (not known here: %1)</source>
            <translation>（无法识别：%1）</translation>
        </message>
        <message>
            <source>columns ignored (no place in this radio): %1</source>
            <translation>已忽略的列（本对讲机没有对应项）：%1</translation>
        </message>
        <message>
            <source>columns not recognised, ignored: %1 (this radio's columns are %2, also under common names such as Rx, Tx, Pwr, BW, Scan, Skip, BCL)</source>
            <translation>无法识别、已忽略的列：%1（本对讲机的列为 %2，也可用 Rx、Tx、Pwr、BW、Scan、Skip、BCL 等常用名称）</translation>
        </message>
        <message>
            <source>DCS codes need the D prefix, e.g. D023N</source>
            <translation>DCS 码需要加前缀 D，例如 D023N</translation>
        </message>
        <message>
            <source>unknown CTCSS/DCS setting</source>
            <translation>无法识别的 CTCSS/DCS 设置</translation>
        </message>
        <message>
            <source>a choice index from 0 to %1</source>
            <translation>0 到 %1 的选项序号</translation>
        </message>
        <message>
            <source>%1 or %2</source>
            <translation>%1 或 %2</translation>
        </message>
        <message>
            <source>%1 fields expected, %2 found</source>
            <translation>应有 %1 个字段，实有 %2 个</translation>
        </message>
        <message>
            <source>%1 must be a number from 1 to %2</source>
            <translation>%1 必须是 1 到 %2 之间的数字</translation>
        </message>
        <message>
            <source>%1 %2 must be %3</source>
            <translation>%1 %2 必须是 %3</translation>
        </message>
        <message>
            <source>%1 %2 must be S (left out of the scan) or empty</source>
            <translation>%1 %2 必须是 S（不参与扫描）或留空</translation>
        </message>
        <message>
            <source>channel %1 is listed twice</source>
            <translation>信道 %1 出现了两次</translation>
        </message>
        <message>
            <source>%1 %2 is outside the band %3 - %4; stored as %5</source>
            <translation>%1 %2 超出频段 %3 - %4；已存为 %5</translation>
        </message>
        <message>
            <source>; %1 looks like a number with a decimal comma in a comma-separated file: write %2, quote it (%1), or separate the fields with ;</source>
            <translation>；%1 看起来是逗号分隔文件中用逗号作小数点的数字：请写成 %2、加上引号（%1），或改用 ; 分隔字段</translation>
        </message>
        <message>
            <source>%1 fields, the header names %2</source>
            <translation>有 %1 个字段，表头只有 %2 个</translation>
        </message>
        <message>
            <source>outside the band</source>
            <translation>超出频段</translation>
        </message>
        <message>
            <source>not possible on this radio</source>
            <translation>本对讲机不支持</translation>
        </message>
        <message>
            <source>channel listed twice</source>
            <translation>信道重复</translation>
        </message>
        <message>
            <source>wrong number of fields</source>
            <translation>字段数不对</translation>
        </message>
        <message>
            <source>value not readable</source>
            <translation>数值无法读取</translation>
        </message>
        <message>
            <source>no channel imported; rows that fit: channels %1 (%2)</source>
            <translation>未导入任何信道；可导入的行：信道 %1（共 %2 个）</translation>
        </message>
        <message>
            <source>no channel imported</source>
            <translation>未导入任何信道</translation>
        </message>
        <message>
            <source>channels imported: %1 (%2)</source>
            <translation>已导入的信道：%1（共 %2 个）</translation>
        </message>
        <message>
            <source>%1 %2</source>
            <translation>%1 行%2</translation>
        </message>
        <message>
            <source>rows refused: %1 (%2)</source>
            <translation>拒绝的行：%1（%2）</translation>
        </message>
        <message>
            <source>%1 is outside the band %2 - %3</source>
            <translation>%1 超出频段 %2 - %3</translation>
        </message>
        <message>
            <source>CSV line %1: %2</source>
            <translation>CSV 第 %1 行：%2</translation>
        </message>
        <message>
            <source>empty file; the first line must be a header such as %1</source>
            <translation>文件为空；第一行必须是表头，例如 %1</translation>
        </message>
        <message>
            <source>%1 row(s) past channel %2 left out (lines %3); --start chooses the row that becomes channel 1</source>
            <translation>信道 %2 之后的 %1 行未导入（第 %3 行）；--start 可指定哪一行作为信道 1</translation>
        </message>
        <message>
            <source>%1 row(s) before the first channel left out (lines %2)</source>
            <translation>第一个信道之前的 %1 行未导入（第 %2 行）</translation>
        </message>
        <message>
            <source>Location %1 is not a channel number</source>
            <translation>Location %1 不是信道号</translation>
        </message>
        <message>
            <source>Duplex %1 must be empty, +, -, split or off</source>
            <translation>Duplex %1 必须为空或 +、-、split、off</translation>
        </message>
        <message>
            <source>%1 %2 is not a CTCSS tone of this radio</source>
            <translation>%1 %2 不是本对讲机的 CTCSS 亚音</translation>
        </message>
        <message>
            <source>%1 %2 is not a DCS code of this radio</source>
            <translation>%1 %2 不是本对讲机的 DCS 码</translation>
        </message>
        <message>
            <source>DtcsPolarity %1 must be two letters N or R</source>
            <translation>DtcsPolarity %1 必须是两个字母，每个为 N 或 R</translation>
        </message>
        <message>
            <source>Tone %1 must be empty, Tone, TSQL, DTCS, TSQL-R, DTCS-R or Cross</source>
            <translation>Tone %1 必须为空或 Tone、TSQL、DTCS、TSQL-R、DTCS-R、Cross</translation>
        </message>
        <message>
            <source>CrossMode %1 is not a cross mode</source>
            <translation>CrossMode %1 不是有效的交叉模式</translation>
        </message>
        <message>
            <source>Mode %1 is not possible on this radio (FM or NFM)</source>
            <translation>本对讲机不支持 Mode %1（只能是 FM 或 NFM）</translation>
        </message>
        <message>
            <source>Skip %1 must be empty, S or P</source>
            <translation>Skip %1 必须为空或 S、P</translation>
        </message>
        <message>
            <source>Power %1 must be High, Low or watts such as 5.0W</source>
            <translation>Power %1 必须是 High、Low 或瓦数（如 5.0W）</translation>
        </message>
        <message>
            <source>columns not recognised, ignored: %1 (this layout's columns read here are %2)</source>
            <translation>无法识别、已忽略的列：%1（此格式中本工具读取的列为 %2）</translation>
        </message>
        <message>
            <source>Location starts at 0: location 0 is channel 1, 1 is channel 2, ...</source>
            <translation>Location 从 0 开始：位置 0 为信道 1，1 为信道 2，依此类推</translation>
        </message>
        <message>
            <source>the file holds zero bytes: it is not text in UTF-8 or UTF-16; save it as CSV in UTF-8</source>
            <translation>文件中含有值为 0 的字节：它不是 UTF-8 或 UTF-16 文本；请另存为 UTF-8 编码的 CSV</translation>
        </message>
        <message>
            <source>unterminated quoted field</source>
            <translation>引号字段没有结束</translation>
        </message>
    </context>
    <context>
        <name>Diff</name>
        <message>
            <source>%1 (not written by a write)</source>
            <translation>%1（写频不写入此处）</translation>
        </message>
        <message>
            <source>raw %1</source>
            <translation>原始数据 %1</translation>
        </message>
    </context>
    <context>
        <name>Files</name>
        <message>
            <source>cannot be written (%1)</source>
            <translation>无法写入（%1）</translation>
        </message>
        <message>
            <source>cannot be created (%1)</source>
            <translation>无法创建（%1）</translation>
        </message>
        <message>
            <source>too large: more than %1 KiB</source>
            <translation>太大：超过 %1 KiB</translation>
        </message>
        <message>
            <source>standard input</source>
            <translation>标准输入</translation>
        </message>
        <message>
            <source>cannot be read (%1)</source>
            <translation>无法读取（%1）</translation>
        </message>
        <message>
            <source>not a regular file</source>
            <translation>不是普通文件</translation>
        </message>
        <message>
            <source>read-only file</source>
            <translation>只读文件</translation>
        </message>
        <message>
            <source>standard output</source>
            <translation>标准输出</translation>
        </message>
        <message>
            <source>is also an input of this command; choose another output</source>
            <translation>同时也是本命令的输入；请另选输出位置</translation>
        </message>
        <message>
            <source>cannot be used as the backup folder (%1)</source>
            <translation>不能用作备份文件夹（%1）</translation>
        </message>
        <message>
            <source>write error</source>
            <translation>写入错误</translation>
        </message>
        <message>
            <source>standard output cannot be written (%1)</source>
            <translation>无法写入标准输出（%1）</translation>
        </message>
        <message>
            <source>unusable settings or default image: %1</source>
            <translation>设置文件或默认数据无法使用：%1</translation>
        </message>
        <message>
            <source>the file has no band edges</source>
            <translation>文件中没有频段上下限</translation>
        </message>
        <message>
            <source>the band edges %1 are not packed BCD</source>
            <translation>频段上下限 %1 不是压缩 BCD 码</translation>
        </message>
        <message>
            <source>the band edges %1 have the lower edge not below the upper</source>
            <translation>频段上下限 %1 中下限不低于上限</translation>
        </message>
        <message>
            <source>%1 bytes expected, %2 found</source>
            <translation>应为 %1 字节，实为 %2 字节</translation>
        </message>
        <message>
            <source>warning: %1; opened as the desktop tool opens it</source>
            <translation>警告：%1；已按桌面程序的方式打开</translation>
        </message>
        <message>
            <source>the record cannot be read: %1</source>
            <translation>无法读取记录：%1</translation>
        </message>
    </context>
    <context>
        <name>History</name>
        <message>
            <source>TIME	PORT	PLAN	IDENT	RESULT	SECONDS	OPERATOR	FAILED	MESSAGE</source>
            <translation>时间	端口	写频数据	机型标识	结果	秒数	操作员	失败步骤	信息</translation>
        </message>
        <message>
            <source>%1 record</source>
            <translation>%1 条记录</translation>
        </message>
        <message>
            <source>%1 records</source>
            <translation>%1 条记录</translation>
        </message>
    </context>
    <context>
        <name>Ports</name>
        <message>
            <source>EVENT	COM	DEVICE	DESCRIPTION	MAKER	USB	SERIAL	CHIP</source>
            <translation>事件	COM	设备	描述	厂商	USB	序列号	芯片</translation>
        </message>
        <message>
            <source>watching for serial devices; Ctrl-C ends</source>
            <translation>正在监视串口设备；按 Ctrl-C 结束</translation>
        </message>
        <message>
            <source>COM	DEVICE	DESCRIPTION	MAKER	USB	SERIAL	CHIP</source>
            <translation>COM	设备	描述	厂商	USB	序列号	芯片</translation>
        </message>
        <message>
            <source>no serial devices found</source>
            <translation>没有找到串口设备</translation>
        </message>
    </context>
    <context>
        <name>ProgrammingLine</name>
        <message>
            <source> No radio was programmed.</source>
            <translation> 未对任何对讲机写频。</translation>
        </message>
        <message>
            <source>the log cannot be written</source>
            <translation>无法写入日志</translation>
        </message>
        <message>
            <source>%1 ident %2 in %3 s</source>
            <translation>%1 机型标识 %2 用时 %3 秒</translation>
        </message>
        <message>
            <source> (backup %1)</source>
            <translation>（备份 %1）</translation>
        </message>
        <message>
            <source>waiting for a radio</source>
            <translation>等待对讲机</translation>
        </message>
        <message>
            <source>programming</source>
            <translation>正在写频</translation>
        </message>
        <message>
            <source>done: take the radio away</source>
            <translation>完成：请取下对讲机</translation>
        </message>
        <message>
            <source>stopping after the radios being programmed</source>
            <translation>正在写频的对讲机完成后停止</translation>
        </message>
        <message>
            <source>%1 passed, %2 failed</source>
            <translation>%1 台成功，%2 台失败</translation>
        </message>
    </context>
    <context>
        <name>Radio</name>
        <message>
            <source>COM numbers run from COM1 to COM16</source>
            <translation>COM 号的范围是 COM1 到 COM16</translation>
        </message>
        <message>
            <source>no serial device has this number (see 'ports')</source>
            <translation>没有串口设备使用这个号（见 'ports'）</translation>
        </message>
        <message>
            <source>backup %1</source>
            <translation>备份 %1</translation>
        </message>
        <message>
            <source>%1 of %2 radios written</source>
            <translation>%2 台对讲机中已写入 %1 台</translation>
        </message>
        <message>
            <source>; failed:</source>
            <translation>；失败：</translation>
        </message>
        <message>
            <source>backup</source>
            <translation>备份</translation>
        </message>
        <message>
            <source>write</source>
            <translation>写入</translation>
        </message>
        <message>
            <source>verify</source>
            <translation>校验</translation>
        </message>
        <message>
            <source>cannot be opened: %1</source>
            <translation>无法打开：%1</translation>
        </message>
        <message>
            <source>%1 cannot be opened: %2</source>
            <translation>%1 无法打开：%2</translation>
        </message>
    </context>
    <context>
        <name>Usage</name>
        <message>
            <source>unknown command '%1'</source>
            <translation>未知命令 '%1'</translation>
        </message>
        <message>
            <source>; --verbose shows the error log entries</source>
            <translation>；--verbose 可显示错误日志条目</translation>
        </message>
        <message>
            <source>no command given</source>
            <translation>没有指定命令</translation>
        </message>
        <message>
            <source>see 'brenvik-cli %1--help'</source>
            <translation>参见 'brenvik-cli %1--help'</translation>
        </message>
        <message>
            <source>unknown option '%1'</source>
            <translation>未知选项 '%1'</translation>
        </message>
        <message>
            <source>%1 may be given once</source>
            <translation>%1 只能指定一次</translation>
        </message>
        <message>
            <source>unexpected argument '%1'</source>
            <translation>多余的参数 '%1'</translation>
        </message>
        <message>
            <source>missing argument</source>
            <translation>缺少参数</translation>
        </message>
        <message>
            <source>%1 must be a number from %2 to %3</source>
            <translation>%1 必须是 %2 到 %3 之间的数字</translation>
        </message>
        <message>
            <source>one --port DEV is required</source>
            <translation>需要且只能有一个 --port DEV</translation>
        </message>
        <message>
            <source>give two plans, each FILE.dat or --port DEV</source>
            <translation>请给出两份写频数据，各为 FILE.dat 或 --port DEV</translation>
        </message>
        <message>
            <source>only one plan can be standard input</source>
            <translation>只能有一份写频数据来自标准输入</translation>
        </message>
        <message>
            <source>-o OUT is required</source>
            <translation>需要 -o OUT</translation>
        </message>
        <message>
            <source>only one argument can be standard input</source>
            <translation>只能有一个参数是标准输入</translation>
        </message>
        <message>
            <source>--format must be brenvik or chirp</source>
            <translation>--format 必须是 brenvik 或 chirp</translation>
        </message>
        <message>
            <source>--port DEV is required</source>
            <translation>需要 --port DEV</translation>
        </message>
        <message>
            <source>each port may be given once</source>
            <translation>每个端口只能指定一次</translation>
        </message>
        <message>
            <source>one --port only</source>
            <translation>只能有一个 --port</translation>
        </message>
        <message>
            <source>-o OUT.dat is required</source>
            <translation>需要 -o OUT.dat</translation>
        </message>
        <message>
            <source>%1 takes a date (2026-12-11) or a date and time (2026-12-11T08:00), not '%2'</source>
            <translation>%1 需要日期（2026-12-11）或日期和时间（2026-12-11T08:00），而不是 '%2'</translation>
        </message>
        <message>
            <source>--result takes pass or fail, not '%1'</source>
            <translation>--result 只能是 pass 或 fail，而不是 '%1'</translation>
        </message>
        <message>
            <source>--json and --csv cannot be combined</source>
            <translation>--json 和 --csv 不能同时使用</translation>
        </message>
    </context>
</TS>
