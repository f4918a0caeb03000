<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>CliHelp</name>
    <message>
        <source>the radio&apos;s port: a device path or COMn</source>
        <translation>對講機的連接埠：裝置路徑或 COMn</translation>
    </message>
    <message>
        <source>read the written range back and compare it</source>
        <translation>讀回寫入的範圍並比對</translation>
    </message>
    <message>
        <source>save each radio&apos;s memory as DIR/&lt;yyyyMMdd-HHmmss&gt;-&lt;port&gt;.dat before writing to it</source>
        <translation>寫入前把每台對講機的記憶體內容儲存為 DIR/&lt;yyyyMMdd-HHmmss&gt;-&lt;port&gt;.dat</translation>
    </message>
    <message>
        <source>write even when channel frequencies lie outside the plan&apos;s band</source>
        <translation>即使信道頻率超出寫頻資料的頻段也寫入</translation>
    </message>
    <message>
        <source>interface language: 1 Simplified Chinese, 2 Traditional Chinese, 3 English (default: the settings file&apos;s)</source>
        <translation>介面語言：1 簡體中文，2 繁體中文，3 英文（預設：設定檔中的語言）</translation>
    </message>
    <message>
        <source>program folder with selvarn.exe and dhcpqec.exe (default: the program&apos;s own folder)</source>
        <translation>含 selvarn.exe 與 dhcpqec.exe 的程式資料夾（預設：程式本身所在的資料夾）</translation>
    </message>
    <message>
        <source>traffic log of transfers and full error-log entries</source>
        <translation>顯示傳輸的通訊記錄與完整的錯誤記錄項目</translation>
    </message>
    <message>
        <source>this help</source>
        <translation>顯示本說明</translation>
    </message>
    <message>
        <source>success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>usage error</source>
        <translation>用法錯誤</translation>
    </message>
    <message>
        <source>file error (the OS reason follows the message)</source>
        <translation>檔案錯誤（訊息後附作業系統提供的原因）</translation>
    </message>
    <message>
        <source>new plan from the default image, saved</source>
        <translation>由預設映像新增寫頻資料並儲存</translation>
    </message>
    <message>
        <source>The default image&apos;s channels are kept; those outside the chosen band are counted on stderr (write and program refuse them unless --force).</source>
        <translation>保留預設映像中的信道；超出所選頻段的信道數量顯示在標準錯誤上（除非指定 --force，write 與 program 會拒絕它們）。</translation>
    </message>
    <message>
        <source>the data file to save (&apos;-&apos; = standard output)</source>
        <translation>要儲存的資料檔（&apos;-&apos; = 標準輸出）</translation>
    </message>
    <message>
        <source>band number 0..13 (see &apos;brenvik-cli bands&apos;), default 7</source>
        <translation>頻段編號 0..13（見 &apos;brenvik-cli bands&apos;），預設 7</translation>
    </message>
    <message>
        <source>the decoded plan: model, band, channels, options</source>
        <translation>解碼後的寫頻資料：機型、頻段、信道、選項</translation>
    </message>
    <message>
        <source>FILE.dat &apos;-&apos; reads the plan from standard input. Channels outside the band are counted on stderr.</source>
        <translation>FILE.dat 為 &apos;-&apos; 時從標準輸入讀取寫頻資料。超出頻段的信道數量顯示在標準錯誤上。</translation>
    </message>
    <message>
        <source>one JSON object (docs/show-json.schema.json)</source>
        <translation>輸出一個 JSON 物件（docs/show-json.schema.json）</translation>
    </message>
    <message>
        <source>channel table as CSV (standard output by default)</source>
        <translation>以 CSV 格式輸出信道表（預設輸出到標準輸出）</translation>
    </message>
    <message>
        <source>The own layout has English captions and words unless --lang is given; chirp is the common channel-list layout of repeater directories.</source>
        <translation>本軟體自己的格式使用英文標題與詞語，除非指定 --lang；chirp 是中繼台目錄常用的信道清單格式。</translation>
    </message>
    <message>
        <source>the CSV file to write (&apos;-&apos; = standard output)</source>
        <translation>要寫入的 CSV 檔案（&apos;-&apos; = 標準輸出）</translation>
    </message>
    <message>
        <source>the CSV layout (default brenvik)</source>
        <translation>CSV 格式（預設 brenvik）</translation>
    </message>
    <message>
        <source>apply the CSV rows to a plan as grid entries, save</source>
        <translation>把 CSV 各列當作表格輸入套用到寫頻資料並儲存</translation>
    </message>
    <message>
        <source>Either layout, told apart by the header. IN.csv &apos;-&apos; reads standard input; at most 1 MiB is read. Every row is checked first: a refused row changes nothing unless --skip-bad-rows. Rows past the last channel are left out with a note. A file without a row to import writes nothing. --verbose lists every refused row.</source>
        <translation>兩種格式皆可，依標題列區分。IN.csv 為 &apos;-&apos; 時讀取標準輸入；最多讀取 1 MiB。先檢查每一列：只要有一列被拒絕就什麼也不改，除非指定 --skip-bad-rows。超出最後一個信道的列會被略過並提示。沒有可匯入列的檔案不會寫出任何內容。--verbose 列出每個被拒絕的列。</translation>
    </message>
    <message>
        <source>import the other rows and list the refused ones</source>
        <translation>匯入其餘的列並列出被拒絕的列</translation>
    </message>
    <message>
        <source>the Location (or Channel) number that becomes channel 1</source>
        <translation>成為信道 1 的 Location（或 Channel）編號</translation>
    </message>
    <message>
        <source>read a radio into a data file</source>
        <translation>把對講機讀到資料檔</translation>
    </message>
    <message>
        <source>OUT.dat is checked before the radio is asked; it may not be the port. Ctrl-C, SIGTERM or SIGHUP stops the read after the frame on the wire; nothing is saved.</source>
        <translation>詢問對講機之前先檢查 OUT.dat；它不能是連接埠。Ctrl-C、SIGTERM 或 SIGHUP 會在線路上的目前訊框之後停止讀取；不儲存任何內容。</translation>
    </message>
    <message>
        <source>the radio could not be read</source>
        <translation>無法讀取對講機</translation>
    </message>
    <message>
        <source>file error, or OUT.dat is the port</source>
        <translation>檔案錯誤，或 OUT.dat 就是連接埠</translation>
    </message>
    <message>
        <source>stopped by SIGINT, SIGTERM or SIGHUP; nothing was saved</source>
        <translation>被 SIGINT、SIGTERM 或 SIGHUP 停止；未儲存任何內容</translation>
    </message>
    <message>
        <source>write a plan to each radio in turn</source>
        <translation>把寫頻資料依序寫入每台對講機</translation>
    </message>
    <message>
        <source>A plan with a receive or transmit frequency outside its band is refused (exit 3, the channels named) unless --force is given. A write cut off after its first data block says the radio holds part of the plan. Ctrl-C, SIGTERM or SIGHUP stops after the block on the wire; later radios are not written.</source>
        <translation>接收或發射頻率超出頻段的寫頻資料會被拒絕（結束狀態 3，並列出這些信道），除非指定 --force。在第一個資料區塊之後中斷的寫入會說明對講機中只有部分寫頻資料。Ctrl-C、SIGTERM 或 SIGHUP 會在線路上的目前資料區塊之後停止；之後的對講機不再寫入。</translation>
    </message>
    <message>
        <source>a radio could not be written (or its verify could not read it back)</source>
        <translation>有對講機無法寫入（或驗證時無法讀回）</translation>
    </message>
    <message>
        <source>file error, channels outside the band without --force, or a --backup folder that is an input, a port, or cannot be written</source>
        <translation>檔案錯誤、未指定 --force 時有超出頻段的信道，或 --backup 資料夾是輸入檔案、連接埠或無法寫入</translation>
    </message>
    <message>
        <source>stopped by SIGINT, SIGTERM or SIGHUP: the radio being written holds part of the plan and must be written again</source>
        <translation>被 SIGINT、SIGTERM 或 SIGHUP 停止：正在寫入的對講機只有部分寫頻資料，必須重新寫入</translation>
    </message>
    <message>
        <source>compare two plans; A and B are each FILE.dat or --port DEV</source>
        <translation>比對兩份寫頻資料；A 與 B 各為 FILE.dat 或 --port DEV</translation>
    </message>
    <message>
        <source>Prints one line per difference: model, band, channel cells, options, then raw address ranges.</source>
        <translation>每處差異輸出一列：機型、頻段、信道儲存格、選項，接著是原始位址範圍。</translation>
    </message>
    <message>
        <source>the plans are the same</source>
        <translation>兩份寫頻資料相同</translation>
    </message>
    <message>
        <source>the plans differ</source>
        <translation>兩份寫頻資料不同</translation>
    </message>
    <message>
        <source>programming line: radio after radio on every port, until Ctrl-C or --count</source>
        <translation>生產線寫頻：在每個連接埠上一台接一台寫頻，直到 Ctrl-C 或達到 --count</translation>
    </message>
    <message>
        <source>append one CSV line per radio</source>
        <translation>每台對講機附加一列 CSV</translation>
    </message>
    <message>
        <source>stop after N radios passed</source>
        <translation>通過 N 台對講機後停止</translation>
    </message>
    <message>
        <source>every radio passed</source>
        <translation>每台對講機都通過</translation>
    </message>
    <message>
        <source>a radio failed</source>
        <translation>有對講機失敗</translation>
    </message>
    <message>
        <source>usage error, or a port that cannot be opened at the start</source>
        <translation>用法錯誤，或開始時有連接埠無法開啟</translation>
    </message>
    <message>
        <source>file error, channels outside the band without --force, or a --log or --backup that is the plan or a port</source>
        <translation>檔案錯誤、未指定 --force 時有超出頻段的信道，或 --log、--backup 是寫頻資料檔或連接埠</translation>
    </message>
    <message>
        <source>list serial devices and their COM numbers</source>
        <translation>列出序列埠裝置及其 COM 編號</translation>
    </message>
    <message>
        <source>With --watch, prints a line for each serial device that appears or disappears (plug the cable in or pull it out to see which it is), with the same columns after an EVENT column (added or removed), until Ctrl-C, SIGTERM or SIGHUP; with --json one JSON object a line, with the keys of the list plus &quot;event&quot;: &quot;added&quot; or &quot;removed&quot;. The system is asked every half second.</source>
        <translation>指定 --watch 時，每當有序列埠裝置出現或消失就輸出一列（插上或拔下寫頻線即可看出是哪一個），在 EVENT 欄（added 或 removed）之後是相同的各欄，直到 Ctrl-C、SIGTERM 或 SIGHUP；同時指定 --json 時每列一個 JSON 物件，鍵與清單相同，另加 &quot;event&quot;: &quot;added&quot; 或 &quot;removed&quot;。每半秒詢問一次系統。</translation>
    </message>
    <message>
        <source>one JSON array (with --watch: one object a line)</source>
        <translation>輸出一個 JSON 陣列（指定 --watch 時：每列一個物件）</translation>
    </message>
    <message>
        <source>report devices as they come and go, until Ctrl-C</source>
        <translation>回報裝置的接入與移除，直到 Ctrl-C</translation>
    </message>
    <message>
        <source>the program folder&apos;s settings cannot be used</source>
        <translation>程式資料夾的設定無法使用</translation>
    </message>
    <message>
        <source>check the programming cable and the radio behind it</source>
        <translation>檢查寫頻線及其後方的對講機</translation>
    </message>
    <message>
        <source>Asks the radio who it is (the same short exchange the programming line uses, which leaves the radio as it was) and prints one line each: whether the port opened (or why not and what to do), whether the cable echoes what is sent, which radio answered and whether this tool supports it, and the reply latency with the time a full read would take at 9600 baud; then the verdict. Replies slower than 5 ms point at the cable chip&apos;s USB latency timer.</source>
        <translation>詢問對講機的身分（與生產線寫頻相同的簡短交換，不改變對講機），並逐項各輸出一列：連接埠是否開啟（無法開啟時說明原因與處理方式）、寫頻線是否回送傳出的內容、哪台對講機回應以及本工具是否支援它、回應延遲以及以 9600 鮑完整讀取所需的時間；最後提出結論。回應慢於 5 ms 時，問題出在寫頻線晶片的 USB 延遲計時器。</translation>
    </message>
    <message>
        <source>the cable&apos;s port: a device path or COMn</source>
        <translation>寫頻線的連接埠：裝置路徑或 COMn</translation>
    </message>
    <message>
        <source>a radio this tool supports answered</source>
        <translation>本工具支援的對講機已回應</translation>
    </message>
    <message>
        <source>no radio answered, the radio is not supported, or the cable echoes</source>
        <translation>沒有對講機回應、對講機不受支援，或寫頻線回送</translation>
    </message>
    <message>
        <source>usage error, or the port cannot be opened</source>
        <translation>用法錯誤，或連接埠無法開啟</translation>
    </message>
    <message>
        <source>list the band numbers, captions and limits</source>
        <translation>列出頻段編號、名稱與範圍</translation>
    </message>
    <message>
        <source>one JSON array</source>
        <translation>輸出一個 JSON 陣列</translation>
    </message>
    <message>
        <source>general help, or one command&apos;s help</source>
        <translation>總說明，或某個命令的說明</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>結束狀態：</translation>
    </message>
    <message>
        <source> (repeatable)</source>
        <translation>（可重複）</translation>
    </message>
    <message>
        <source>.</source>
        <translation>。</translation>
    </message>
    <message>
        <source>the program&apos;s version</source>
        <translation>程式版本</translation>
    </message>
    <message>
        <source>Reads, writes and edits the channel plans of Brenvik handheld radios without a window: the desktop tool&apos;s engine for scripts and batch work.</source>
        <translation>無需視窗即可讀取、寫入與編輯 Brenvik 手持對講機的寫頻資料：供指令碼與批次作業使用的桌面工具引擎。</translation>
    </message>
    <message>
        <source>A FILE.dat or CSV argument &apos;-&apos; reads standard input; -o - writes standard output. DEV is a device path (/dev/ttyUSB0) or COMn as the settings file&apos;s [Ports] section and this machine&apos;s serial devices map it (see &apos;brenvik-cli ports&apos;).</source>
        <translation>FILE.dat 或 CSV 參數為 &apos;-&apos; 時讀取標準輸入；-o - 寫到標準輸出。DEV 是裝置路徑（/dev/ttyUSB0）或 COMn，依設定檔的 [Ports] 區段與本機的序列埠裝置對應（見 &apos;brenvik-cli ports&apos;）。</translation>
    </message>
    <message>
        <source>success (diff: the plans are the same)</source>
        <translation>成功（diff：兩份寫頻資料相同）</translation>
    </message>
    <message>
        <source>a radio or port failed (diff: the plans differ)</source>
        <translation>對講機或連接埠失敗（diff：兩份寫頻資料不同）</translation>
    </message>
    <message>
        <source>usage error; program: a port that cannot be opened at the start</source>
        <translation>用法錯誤；program：開始時有連接埠無法開啟</translation>
    </message>
    <message>
        <source>file error, or a plan with channels outside its band (write, program)</source>
        <translation>檔案錯誤，或寫頻資料中有超出頻段的信道（write、program）</translation>
    </message>
    <message>
        <source>diff: the radio could not be read</source>
        <translation>diff：無法讀取對講機</translation>
    </message>
    <message>
        <source>read, write: stopped by SIGINT, SIGTERM or SIGHUP (write: the radio holds part of the plan)</source>
        <translation>read、write：被 SIGINT、SIGTERM 或 SIGHUP 停止（write：對講機中只有部分寫頻資料）</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>選項：</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>範例：</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>範例：</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>Common options:</source>
        <translation>通用選項：</translation>
    </message>
    <message>
        <source>&apos;brenvik-cli help COMMAND&apos; or &apos;brenvik-cli COMMAND --help&apos; shows a command&apos;s options.</source>
        <translation>&apos;brenvik-cli help COMMAND&apos; 或 &apos;brenvik-cli COMMAND --help&apos; 顯示某個命令的選項。</translation>
    </message>
    <message>
        <source>User Commands</source>
        <translation>使用者命令</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>read, write and edit Brenvik radio plans from the command line</source>
        <translation>從命令列讀取、寫入與編輯 Brenvik 對講機的寫頻資料</translation>
    </message>
    <message>
        <source>SYNOPSIS</source>
        <translation>概要</translation>
    </message>
    <message>
        <source>DESCRIPTION</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>COMMANDS</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>COMMON OPTIONS</source>
        <translation>通用選項</translation>
    </message>
    <message>
        <source>Every command takes these options.</source>
        <translation>每個命令都接受這些選項。</translation>
    </message>
    <message>
        <source>EXIT STATUS</source>
        <translation>結束狀態</translation>
    </message>
    <message>
        <source>EXAMPLES</source>
        <translation>範例</translation>
    </message>
    <message>
        <source>SEE ALSO</source>
        <translation>另請參閱</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>用法：%1</translation>
    </message>
    <message>
        <source>Each port is checked first: a port that cannot be opened ends the command before any radio is programmed. One line per radio with its result and duration on standard output. Every result is also kept in the record of programmed radios (see &apos;brenvik-cli history&apos;); a result that cannot be recorded is still printed and logged, with a warning on stderr. Ctrl-C, SIGTERM or SIGHUP ends the line once the radios being programmed are finished and logged.</source>
        <translation>先檢查每個連接埠：有連接埠無法開啟時，在寫入任何對講機之前結束命令。每台對講機在標準輸出上輸出一列結果與耗時。每個結果也會存入已編程電台記錄（請參閱 &apos;brenvik-cli history&apos;）；無法存入記錄的結果仍會輸出並寫入記錄檔，同時在標準錯誤上顯示警告。Ctrl-C、SIGTERM 或 SIGHUP 會在正在寫頻的對講機完成並記錄後結束生產線。</translation>
    </message>
    <message>
        <source>who programs the radios, kept in the record</source>
        <translation>為對講機寫頻的操作員，存入記錄中</translation>
    </message>
    <message>
        <source>list the radios programmed, newest first</source>
        <translation>列出已寫頻的對講機，最新的在前</translation>
    </message>
    <message>
        <source>Every result of a programming line (&apos;brenvik-cli program&apos; or the desktop tool&apos;s Production Line) and every single Write of the desktop tool is kept in the record of programmed radios, history.sqlite beside the program (in the user&apos;s data folder when installed). DATE is a day (2026-12-11, in local time: --until includes that whole day) or a date and time in ISO 8601 (2026-12-11T08:00, 2026-12-11T08:00:00Z). The table&apos;s count goes to stderr. With --json one JSON array of objects with the keys time (ISO 8601, UTC), port, plan, planSha256, ident (hex), result (PASS or FAIL), failedStep, message, durationMs, backupFile and operator.</source>
        <translation>生產線寫頻（&apos;brenvik-cli program&apos; 或桌面程式的「生產線」）的每個結果，以及桌面程式的每次單獨「寫入」，都會存入已編程電台記錄，即程式旁的 history.sqlite（安裝版則位於使用者的應用程式資料夾中）。DATE 為日期（2026-12-11，依本地時間：--until 包含當天整天），或 ISO 8601 格式的日期與時間，如 2026-12-11T08:00、2026-12-11T08:00:00Z。表格的記錄筆數顯示在標準錯誤上。指定 --json 時輸出一個 JSON 陣列，其中每個物件的鍵為 time（ISO 8601，UTC）、port、plan、planSha256、ident（十六進位）、result（PASS 或 FAIL）、failedStep、message、durationMs、backupFile 與 operator。</translation>
    </message>
    <message>
        <source>records from DATE on</source>
        <translation>DATE 起的記錄</translation>
    </message>
    <message>
        <source>records up to DATE</source>
        <translation>截至 DATE 的記錄</translation>
    </message>
    <message>
        <source>records of this port only, as the line named it</source>
        <translation>僅此連接埠的記錄（連接埠名稱依生產線所用）</translation>
    </message>
    <message>
        <source>records of this plan file name only</source>
        <translation>僅此寫頻資料檔名的記錄</translation>
    </message>
    <message>
        <source>passed or failed radios only</source>
        <translation>僅通過或僅失敗的對講機</translation>
    </message>
    <message>
        <source>records of this operator only</source>
        <translation>僅此操作員的記錄</translation>
    </message>
    <message>
        <source>the newest N records only</source>
        <translation>僅最新的 N 筆記錄</translation>
    </message>
    <message>
        <source>CSV with a header line, for spreadsheets</source>
        <translation>含標題列的 CSV，方便用於試算表</translation>
    </message>
    <message>
        <source>the record cannot be read</source>
        <translation>無法讀取記錄</translation>
    </message>
</context>
</TS>
