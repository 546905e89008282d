<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- Program Several Radios: its menu item, prompt and dialog. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Program &amp;Several Radios...</source>
        <translation>批次寫頻(&amp;S)...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Write the document to one radio after another, each checked and logged
Program Several Radios</source>
        <translation>將文件逐台寫入多台對講機，每台都校驗並記錄
批次寫頻</translation>
    </message>
</context>
<context>
    <name>Template170</name>
    <message>
        <source>Program Several Radios</source>
        <translation>批次寫頻</translation>
    </message>
    <message>
        <source>P&amp;orts:</source>
        <translation>連接埠(&amp;O)：</translation>
    </message>
    <message>
        <source>&amp;Variations file:</source>
        <translation>每台設定檔案(&amp;V)：</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>瀏覽(&amp;B)...</translation>
    </message>
    <message>
        <source>V&amp;erify each radio after writing it</source>
        <translation>寫入後校驗每台對講機(&amp;E)</translation>
    </message>
    <message>
        <source>Back &amp;up each radio before writing it</source>
        <translation>寫入前備份每台對講機(&amp;U)</translation>
    </message>
    <message>
        <source>Swap &amp;automatically: the next radio is written as soon as it answers</source>
        <translation>自動換台：下一台對講機一應答即寫入(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Wait for Next before each radio</source>
        <translation>每台之前等待按「下一台」(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>開始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Radios:</source>
        <translation>對講機(&amp;R)：</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>開啟資料夾(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>下一台(&amp;N)</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>停止(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>關閉(&amp;C)</translation>
    </message>
</context>
</TS>
