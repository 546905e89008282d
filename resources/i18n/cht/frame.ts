<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Menu128</name>
    <message>
        <source>&amp;File</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>開新檔案(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>開啟舊檔(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>儲存檔案(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存新檔(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>列印(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>預覽列印(&amp;V)</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>列印設定(&amp;R)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>編程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Read	Ctrl+R</source>
        <translation>讀頻(&amp;R)	Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Write	Ctrl+W</source>
        <translation>寫頻(&amp;W)	Ctrl+W</translation>
    </message>
    <message>
        <source>PTTID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>功能設定</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Embed</source>
        <translation>PCBA 編號</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具列(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>狀態列(&amp;S)</translation>
    </message>
    <message>
        <source>T&amp;heme</source>
        <translation>主題(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>跟隨系統(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>淺色(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>深色(&amp;D)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>KDW PC Encoder

Write Data
Channel Data (*.sin)
.sin
Program.Document
Program Document</source>
        <translation>KDW PC Encoder

寫頻資料
頻道資料 (*.sin)
.sin
Program.Document
Program Document</translation>
    </message>
    <message>
        <source>Read Data From Radio
Read</source>
        <translation>從對講機讀取資料
讀頻</translation>
    </message>
    <message>
        <source>Write Data to Radio 
Write</source>
        <translation>將資料寫入對講機
寫頻</translation>
    </message>
    <message>
        <source>Choose Communication Port 1
Com1</source>
        <translation>選擇通訊連接埠 1
Com1</translation>
    </message>
    <message>
        <source>Choose Communication Port 2
Com2</source>
        <translation>選擇通訊連接埠 2
Com2</translation>
    </message>
    <message>
        <source>Choose Communication Port 3
Com3</source>
        <translation>選擇通訊連接埠 3
Com3</translation>
    </message>
    <message>
        <source>Choose Communication Port 4
Com4</source>
        <translation>選擇通訊連接埠 4
Com4</translation>
    </message>
    <message>
        <source>Choose Communication Port 5
Com5</source>
        <translation>選擇通訊連接埠 5
Com5</translation>
    </message>
    <message>
        <source>Choose Communication Port 6
Com6</source>
        <translation>選擇通訊連接埠 6
Com6</translation>
    </message>
    <message>
        <source>Choose Communication Port 7
Com7</source>
        <translation>選擇通訊連接埠 7
Com7</translation>
    </message>
    <message>
        <source>Choose Communication Port 8
Com8</source>
        <translation>選擇通訊連接埠 8
Com8</translation>
    </message>
    <message>
        <source>KDW PC Encoder</source>
        <translation>KDW PC Encoder</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>建立新文件
開新檔案</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>開啟現有文件
開啟</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>關閉目前文件
關閉</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>儲存目前文件
儲存</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>以新檔名儲存目前文件
另存新檔</translation>
    </message>
    <message>
        <source>Change the printing options
Page Setup</source>
        <translation>變更列印選項
版面設定</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>變更印表機及列印選項
列印設定</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>列印目前文件
列印</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>顯示整頁
預覽列印</translation>
    </message>
    <message>
        <source>Split the active window into panes
Split</source>
        <translation>將目前視窗分割為窗格
分割</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>顯示程式資訊、版本編號及版權
關於</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>結束應用程式；提示儲存文件
結束</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>切換到下一個窗格
下一個窗格</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>切換回上一個窗格
上一個窗格</translation>
    </message>
    <message>
        <source>EXT</source>
        <translation>擴充</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>大寫</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>數字</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>捲動</translation>
    </message>
    <message>
        <source>OVR</source>
        <translation>覆寫</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>錄製</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>顯示或隱藏工具列
切換工具列</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>顯示或隱藏狀態列
切換狀態列</translation>
    </message>
    <message>
        <source>Use the desktop&apos;s colours
System Theme</source>
        <translation>使用桌面的顏色
系統主題</translation>
    </message>
    <message>
        <source>Dark text on a light background, whatever the desktop&apos;s colours
Light Theme</source>
        <translation>淺色背景上的深色文字，不隨桌面的顏色
淺色主題</translation>
    </message>
    <message>
        <source>Light text on a dark background, whatever the desktop&apos;s colours
Dark Theme</source>
        <translation>深色背景上的淺色文字，不隨桌面的顏色
深色主題</translation>
    </message>
    <message>
        <source>Change the window size</source>
        <translation>變更視窗大小</translation>
    </message>
    <message>
        <source>Change the window position</source>
        <translation>變更視窗位置</translation>
    </message>
    <message>
        <source>Reduce the window to an icon</source>
        <translation>將視窗縮成圖示</translation>
    </message>
    <message>
        <source>Enlarge the window to full size</source>
        <translation>將視窗放到最大</translation>
    </message>
    <message>
        <source>Switch to the next document window</source>
        <translation>切換到下一個文件視窗</translation>
    </message>
    <message>
        <source>Switch to the previous document window</source>
        <translation>切換到上一個文件視窗</translation>
    </message>
    <message>
        <source>Close the active window and prompts to save the documents</source>
        <translation>關閉目前視窗並提示儲存文件</translation>
    </message>
    <message>
        <source>Restore the window to normal size</source>
        <translation>將視窗還原為一般大小</translation>
    </message>
    <message>
        <source>Activate Task List</source>
        <translation>啟動工作清單</translation>
    </message>
    <message>
        <source>Close print preview mode
Cancel Preview</source>
        <translation>關閉預覽列印模式
取消預覽</translation>
    </message>
</context>
</TS>
