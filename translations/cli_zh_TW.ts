<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
    <context>
        <name>BandGuard</name>
        <message>
            <source>%1 of %2 channels lie outside the band %3: %4</source>
            <translation>%2 個使用中的頻道有 %1 個超出頻段 %3：%4</translation>
        </message>
        <message>
            <source>channels %1 lie outside the band %2; nothing was written (--force writes them all the same)</source>
            <translation>頻道 %1 超出頻段 %2；未寫入任何內容（--force 可照樣寫入）</translation>
        </message>
        <message>
            <source>channel %1 lies outside the band %2; nothing was written (--force writes them all the same)</source>
            <translation>頻道 %1 超出頻段 %2；未寫入任何內容（--force 可照樣寫入）</translation>
        </message>
    </context>
    <context>
        <name>Bands</name>
        <message>
            <source>BAND	RANGE</source>
            <translation>頻段	範圍</translation>
        </message>
        <message>
            <source>(default)</source>
            <translation>（預設）</translation>
        </message>
    </context>
    <context>
        <name>Csv</name>
        <message>
            <source>... and %1 more rows (--verbose lists them all)</source>
            <translation>……另有 %1 列（--verbose 全部列出）</translation>
        </message>
        <message>
            <source>note: </source>
            <translation>注意：</translation>
        </message>
        <message>
            <source>no row to import, nothing written</source>
            <translation>沒有可匯入的列，未寫入任何內容</translation>
        </message>
        <message>
            <source>%1 row(s) refused, nothing written (--skip-bad-rows imports the other rows)</source>
            <translation>拒絕了 %1 列，未寫入任何內容（--skip-bad-rows 可匯入其餘各列）</translation>
        </message>
        <message>
            <source>warning: </source>
            <translation>警告：</translation>
        </message>
        <message>
            <source>left out: </source>
            <translation>未匯入：</translation>
        </message>
        <message>
            <source>%1 %2 is not a frequency in MHz</source>
            <translation>%1 %2 不是以 MHz 為單位的頻率</translation>
        </message>
        <message>
            <source>column %1 appears twice</source>
            <translation>欄 %1 出現了兩次</translation>
        </message>
        <message>
            <source>columns %1 and %2 both say whether a channel is scanned: keep one</source>
            <translation>欄 %1 和 %2 都表示頻道是否掃描：請只保留一欄</translation>
        </message>
        <message>
            <source>the header fits neither layout this tool reads: its own needs at least the columns Channel and Receive (e.g. %1), the channel-list layout at least Location and Frequency (e.g. Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,...); column names in any letter case</source>
            <translation>表頭不符合本工具可讀取的任何格式：本工具自己的格式至少需要 Channel 和 Receive 兩欄（例如 %1），頻道列表格式至少需要 Location 和 Frequency 兩欄（例如 Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,...）；欄名不分大小寫</translation>
        </message>
        <message>
            <source> (not known here: %1)</source>
            <translation>（無法辨識：%1）</translation>
        </message>
        <message>
            <source>columns ignored (no place in this radio): %1</source>
            <translation>已忽略的欄（本對講機沒有對應項目）：%1</translation>
        </message>
        <message>
            <source>columns not recognised, ignored: %1 (this radio's columns are %2, also under common names such as Rx, Tx, Pwr, BW, Scan, Skip, BCL)</source>
            <translation>無法辨識、已忽略的欄：%1（本對講機的欄為 %2，也可用 Rx、Tx、Pwr、BW、Scan、Skip、BCL 等常用名稱）</translation>
        </message>
        <message>
            <source>DCS codes need the D prefix, e.g. D023N</source>
            <translation>DCS 碼需要加上前綴 D，例如 D023N</translation>
        </message>
        <message>
            <source>unknown CTCSS/DCS setting</source>
            <translation>無法辨識的 CTCSS/DCS 設定</translation>
        </message>
        <message>
            <source>a choice index from 0 to %1</source>
            <translation>0 到 %1 的選項序號</translation>
        </message>
        <message>
            <source>%1 or %2</source>
            <translation>%1 或 %2</translation>
        </message>
        <message>
            <source>%1 fields expected, %2 found</source>
            <translation>應有 %1 個欄位，實有 %2 個</translation>
        </message>
        <message>
            <source>%1 must be a number from 1 to %2</source>
            <translation>%1 必須是 1 到 %2 之間的數字</translation>
        </message>
        <message>
            <source>%1 %2 must be %3</source>
            <translation>%1 %2 必須是 %3</translation>
        </message>
        <message>
            <source>%1 %2 must be S (left out of the scan) or empty</source>
            <translation>%1 %2 必須是 S（不參與掃描）或留空</translation>
        </message>
        <message>
            <source>channel %1 is listed twice</source>
            <translation>頻道 %1 出現了兩次</translation>
        </message>
        <message>
            <source>%1 %2 is outside the band %3 - %4; stored as %5</source>
            <translation>%1 %2 超出頻段 %3 - %4；已存為 %5</translation>
        </message>
        <message>
            <source>; %1 looks like a number with a decimal comma in a comma-separated file: write %2, quote it (%1), or separate the fields with ;</source>
            <translation>；%1 看起來是逗號分隔檔案中以逗號作小數點的數字：請寫成 %2、加上引號（%1），或改用 ; 分隔欄位</translation>
        </message>
        <message>
            <source>%1 fields, the header names %2</source>
            <translation>有 %1 個欄位，表頭只有 %2 個</translation>
        </message>
        <message>
            <source>outside the band</source>
            <translation>超出頻段</translation>
        </message>
        <message>
            <source>not possible on this radio</source>
            <translation>本對講機不支援</translation>
        </message>
        <message>
            <source>channel listed twice</source>
            <translation>頻道重複</translation>
        </message>
        <message>
            <source>wrong number of fields</source>
            <translation>欄位數不對</translation>
        </message>
        <message>
            <source>value not readable</source>
            <translation>數值無法讀取</translation>
        </message>
        <message>
            <source>no channel imported; rows that fit: channels %1 (%2)</source>
            <translation>未匯入任何頻道；可匯入的列：頻道 %1（共 %2 個）</translation>
        </message>
        <message>
            <source>no channel imported</source>
            <translation>未匯入任何頻道</translation>
        </message>
        <message>
            <source>channels imported: %1 (%2)</source>
            <translation>已匯入的頻道：%1（共 %2 個）</translation>
        </message>
        <message>
            <source>%1 %2</source>
            <translation>%1 列%2</translation>
        </message>
        <message>
            <source>rows refused: %1 (%2)</source>
            <translation>拒絕的列：%1（%2）</translation>
        </message>
        <message>
            <source>%1 is outside the band %2 - %3</source>
            <translation>%1 超出頻段 %2 - %3</translation>
        </message>
        <message>
            <source>CSV line %1: %2</source>
            <translation>CSV 第 %1 列：%2</translation>
        </message>
        <message>
            <source>empty file; the first line must be a header such as %1</source>
            <translation>檔案是空的；第一列必須是表頭，例如 %1</translation>
        </message>
        <message>
            <source>%1 row(s) past channel %2 left out (lines %3); --start chooses the row that becomes channel 1</source>
            <translation>頻道 %2 之後的 %1 列未匯入（第 %3 列）；--start 可指定哪一列作為頻道 1</translation>
        </message>
        <message>
            <source>%1 row(s) before the first channel left out (lines %2)</source>
            <translation>第一個頻道之前的 %1 列未匯入（第 %2 列）</translation>
        </message>
        <message>
            <source>Location %1 is not a channel number</source>
            <translation>Location %1 不是頻道編號</translation>
        </message>
        <message>
            <source>Duplex %1 must be empty, +, -, split or off</source>
            <translation>Duplex %1 必須為空或 +、-、split、off</translation>
        </message>
        <message>
            <source>%1 %2 is not a CTCSS tone of this radio</source>
            <translation>%1 %2 不是本對講機的 CTCSS 亞音</translation>
        </message>
        <message>
            <source>%1 %2 is not a DCS code of this radio</source>
            <translation>%1 %2 不是本對講機的 DCS 碼</translation>
        </message>
        <message>
            <source>DtcsPolarity %1 must be two letters N or R</source>
            <translation>DtcsPolarity %1 必須是兩個字母，每個為 N 或 R</translation>
        </message>
        <message>
            <source>Tone %1 must be empty, Tone, TSQL, DTCS, TSQL-R, DTCS-R or Cross</source>
            <translation>Tone %1 必須為空或 Tone、TSQL、DTCS、TSQL-R、DTCS-R、Cross</translation>
        </message>
        <message>
            <source>CrossMode %1 is not a cross mode</source>
            <translation>CrossMode %1 不是有效的交叉模式</translation>
        </message>
        <message>
            <source>Mode %1 is not possible on this radio (FM or NFM)</source>
            <translation>本對講機不支援 Mode %1（只能是 FM 或 NFM）</translation>
        </message>
        <message>
            <source>Skip %1 must be empty, S or P</source>
            <translation>Skip %1 必須為空或 S、P</translation>
        </message>
        <message>
            <source>Power %1 must be High, Low or watts such as 5.0W</source>
            <translation>Power %1 必須是 High、Low 或瓦數（如 5.0W）</translation>
        </message>
        <message>
            <source>columns not recognised, ignored: %1 (this layout's columns read here are %2)</source>
            <translation>無法辨識、已忽略的欄：%1（此格式中本工具讀取的欄為 %2）</translation>
        </message>
        <message>
            <source>Location starts at 0: location 0 is channel 1, 1 is channel 2, ...</source>
            <translation>Location 從 0 開始：位置 0 為頻道 1，1 為頻道 2，依此類推</translation>
        </message>
        <message>
            <source>the file holds zero bytes: it is not text in UTF-8 or UTF-16; save it as CSV in UTF-8</source>
            <translation>檔案中含有值為 0 的位元組：它不是 UTF-8 或 UTF-16 文字；請另存為 UTF-8 編碼的 CSV</translation>
        </message>
        <message>
            <source>unterminated quoted field</source>
            <translation>引號欄位沒有結束</translation>
        </message>
    </context>
    <context>
        <name>Diff</name>
        <message>
            <source>%1 (not written by a write)</source>
            <translation>%1（寫頻不會寫入此處）</translation>
        </message>
        <message>
            <source>raw %1</source>
            <translation>原始資料 %1</translation>
        </message>
    </context>
    <context>
        <name>Files</name>
        <message>
            <source>cannot be written (%1)</source>
            <translation>無法寫入（%1）</translation>
        </message>
        <message>
            <source>cannot be created (%1)</source>
            <translation>無法建立（%1）</translation>
        </message>
        <message>
            <source>too large: more than %1 KiB</source>
            <translation>太大：超過 %1 KiB</translation>
        </message>
        <message>
            <source>standard input</source>
            <translation>標準輸入</translation>
        </message>
        <message>
            <source>cannot be read (%1)</source>
            <translation>無法讀取（%1）</translation>
        </message>
        <message>
            <source>not a regular file</source>
            <translation>不是一般檔案</translation>
        </message>
        <message>
            <source>read-only file</source>
            <translation>唯讀檔案</translation>
        </message>
        <message>
            <source>standard output</source>
            <translation>標準輸出</translation>
        </message>
        <message>
            <source>is also an input of this command; choose another output</source>
            <translation>同時也是本命令的輸入；請另選輸出位置</translation>
        </message>
        <message>
            <source>cannot be used as the backup folder (%1)</source>
            <translation>不能用作備份資料夾（%1）</translation>
        </message>
        <message>
            <source>write error</source>
            <translation>寫入錯誤</translation>
        </message>
        <message>
            <source>standard output cannot be written (%1)</source>
            <translation>無法寫入標準輸出（%1）</translation>
        </message>
        <message>
            <source>unusable settings or default image: %1</source>
            <translation>設定檔或預設資料無法使用：%1</translation>
        </message>
        <message>
            <source>the file has no band edges</source>
            <translation>檔案中沒有頻段上下限</translation>
        </message>
        <message>
            <source>the band edges %1 are not packed BCD</source>
            <translation>頻段上下限 %1 不是壓縮 BCD 碼</translation>
        </message>
        <message>
            <source>the band edges %1 have the lower edge not below the upper</source>
            <translation>頻段上下限 %1 中下限不低於上限</translation>
        </message>
        <message>
            <source>%1 bytes expected, %2 found</source>
            <translation>應為 %1 位元組，實為 %2 位元組</translation>
        </message>
        <message>
            <source>warning: %1; opened as the desktop tool opens it</source>
            <translation>警告：%1；已依桌面程式的方式開啟</translation>
        </message>
        <message>
            <source>the record cannot be read: %1</source>
            <translation>無法讀取記錄：%1</translation>
        </message>
    </context>
    <context>
        <name>History</name>
        <message>
            <source>TIME	PORT	PLAN	IDENT	RESULT	SECONDS	OPERATOR	FAILED	MESSAGE</source>
            <translation>時間	連接埠	寫頻資料	機型識別	結果	秒數	操作員	失敗步驟	訊息</translation>
        </message>
        <message>
            <source>%1 record</source>
            <translation>%1 筆記錄</translation>
        </message>
        <message>
            <source>%1 records</source>
            <translation>%1 筆記錄</translation>
        </message>
    </context>
    <context>
        <name>Ports</name>
        <message>
            <source>EVENT	COM	DEVICE	DESCRIPTION	MAKER	USB	SERIAL	CHIP</source>
            <translation>事件	COM	裝置	描述	廠商	USB	序號	晶片</translation>
        </message>
        <message>
            <source>watching for serial devices; Ctrl-C ends</source>
            <translation>正在監看序列埠裝置；按 Ctrl-C 結束</translation>
        </message>
        <message>
            <source>COM	DEVICE	DESCRIPTION	MAKER	USB	SERIAL	CHIP</source>
            <translation>COM	裝置	描述	廠商	USB	序號	晶片</translation>
        </message>
        <message>
            <source>no serial devices found</source>
            <translation>找不到序列埠裝置</translation>
        </message>
    </context>
    <context>
        <name>ProgrammingLine</name>
        <message>
            <source> No radio was programmed.</source>
            <translation> 未對任何對講機寫頻。</translation>
        </message>
        <message>
            <source>the log cannot be written</source>
            <translation>無法寫入記錄檔</translation>
        </message>
        <message>
            <source>%1 ident %2 in %3 s</source>
            <translation>%1 機型識別 %2 耗時 %3 秒</translation>
        </message>
        <message>
            <source> (backup %1)</source>
            <translation>（備份 %1）</translation>
        </message>
        <message>
            <source>waiting for a radio</source>
            <translation>等待對講機</translation>
        </message>
        <message>
            <source>programming</source>
            <translation>正在寫頻</translation>
        </message>
        <message>
            <source>done: take the radio away</source>
            <translation>完成：請取下對講機</translation>
        </message>
        <message>
            <source>stopping after the radios being programmed</source>
            <translation>正在寫頻的對講機完成後停止</translation>
        </message>
        <message>
            <source>%1 passed, %2 failed</source>
            <translation>%1 台成功，%2 台失敗</translation>
        </message>
    </context>
    <context>
        <name>Radio</name>
        <message>
            <source>COM numbers run from COM1 to COM16</source>
            <translation>COM 號的範圍是 COM1 到 COM16</translation>
        </message>
        <message>
            <source>no serial device has this number (see 'ports')</source>
            <translation>沒有序列埠裝置使用這個號碼（見 'ports'）</translation>
        </message>
        <message>
            <source>backup %1</source>
            <translation>備份 %1</translation>
        </message>
        <message>
            <source>%1 of %2 radios written</source>
            <translation>%2 台對講機中已寫入 %1 台</translation>
        </message>
        <message>
            <source>; failed:</source>
            <translation>；失敗：</translation>
        </message>
        <message>
            <source>backup</source>
            <translation>備份</translation>
        </message>
        <message>
            <source>write</source>
            <translation>寫入</translation>
        </message>
        <message>
            <source>verify</source>
            <translation>驗證</translation>
        </message>
        <message>
            <source>cannot be opened: %1</source>
            <translation>無法開啟：%1</translation>
        </message>
        <message>
            <source>%1 cannot be opened: %2</source>
            <translation>%1 無法開啟：%2</translation>
        </message>
    </context>
    <context>
        <name>Usage</name>
        <message>
            <source>unknown command '%1'</source>
            <translation>未知的命令 '%1'</translation>
        </message>
        <message>
            <source>unknown option '%1'</source>
            <translation>未知的選項 '%1'</translation>
        </message>
        <message>
            <source>%1 may be given once</source>
            <translation>%1 只能指定一次</translation>
        </message>
        <message>
            <source>unexpected argument '%1'</source>
            <translation>多餘的引數 '%1'</translation>
        </message>
        <message>
            <source>missing argument</source>
            <translation>缺少引數</translation>
        </message>
        <message>
            <source>%1 must be a number from %2 to %3</source>
            <translation>%1 必須是 %2 到 %3 之間的數字</translation>
        </message>
        <message>
            <source>one --port DEV is required</source>
            <translation>需要且只能有一個 --port DEV</translation>
        </message>
        <message>
            <source>; --verbose shows the error log entries</source>
            <translation>；--verbose 可顯示錯誤記錄項目</translation>
        </message>
        <message>
            <source>no command given</source>
            <translation>沒有指定命令</translation>
        </message>
        <message>
            <source>see 'brenvik-cli %1--help'</source>
            <translation>請參閱 'brenvik-cli %1--help'</translation>
        </message>
        <message>
            <source>give two plans, each FILE.dat or --port DEV</source>
            <translation>請提供兩份寫頻資料，各為 FILE.dat 或 --port DEV</translation>
        </message>
        <message>
            <source>only one plan can be standard input</source>
            <translation>只能有一份寫頻資料來自標準輸入</translation>
        </message>
        <message>
            <source>-o OUT is required</source>
            <translation>需要 -o OUT</translation>
        </message>
        <message>
            <source>only one argument can be standard input</source>
            <translation>只能有一個引數是標準輸入</translation>
        </message>
        <message>
            <source>--format must be brenvik or chirp</source>
            <translation>--format 必須是 brenvik 或 chirp</translation>
        </message>
        <message>
            <source>--port DEV is required</source>
            <translation>需要 --port DEV</translation>
        </message>
        <message>
            <source>each port may be given once</source>
            <translation>每個連接埠只能指定一次</translation>
        </message>
        <message>
            <source>one --port only</source>
            <translation>只能有一個 --port</translation>
        </message>
        <message>
            <source>-o OUT.dat is required</source>
            <translation>需要 -o OUT.dat</translation>
        </message>
        <message>
            <source>%1 takes a date (2026-12-11) or a date and time (2026-12-11T08:00), not '%2'</source>
            <translation>%1 需要日期（2026-12-11）或日期與時間（2026-12-11T08:00），而非 '%2'</translation>
        </message>
        <message>
            <source>--result takes pass or fail, not '%1'</source>
            <translation>--result 只能是 pass 或 fail，而非 '%1'</translation>
        </message>
        <message>
            <source>--json and --csv cannot be combined</source>
            <translation>--json 與 --csv 不能同時使用</translation>
        </message>
    </context>
</TS>
