<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- The menu items and prompts of verify, backups and compare. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Open &amp;Backup...</source>
        <translation>開啟備份(&amp;B)...</translation>
    </message>
    <message>
        <source>Co&amp;mpare with File...</source>
        <translation>與檔案比較(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Compare with Radio...</source>
        <translation>與對講機比較(&amp;C)...</translation>
    </message>
    <message>
        <source>&amp;Verify After Write</source>
        <translation>寫入後校驗(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Back Up Before Write</source>
        <translation>寫入前備份(&amp;B)</translation>
    </message>
    <message>
        <source>Write Only Changed B&amp;locks</source>
        <translation>只寫入改動的塊(&amp;L)</translation>
    </message>
    <message>
        <source>Resume After a &amp;Fault</source>
        <translation>故障後續傳(&amp;F)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Read the radio back after every write and compare
Verify After Write</source>
        <translation>每次寫入後讀回對講機並比較
寫入後校驗</translation>
    </message>
    <message>
        <source>Save a backup of the radio&apos;s memory before every write
Back Up Before Write</source>
        <translation>每次寫入前儲存對講機內容的備份
寫入前備份</translation>
    </message>
    <message>
        <source>Show what differs between the radio and the document
Compare with Radio</source>
        <translation>顯示對講機與文件的不同之處
與對講機比較</translation>
    </message>
    <message>
        <source>Show what differs between the document and a file
Compare with File</source>
        <translation>顯示文件與檔案的不同之處
與檔案比較</translation>
    </message>
    <message>
        <source>Open a backup of the radio&apos;s memory as a new document
Open Backup</source>
        <translation>將對講機內容的備份作為新文件開啟
開啟備份</translation>
    </message>
    <message>
        <source>When the line fails during a transfer, go on from the failed block in a new session
Resume After a Fault</source>
        <translation>傳輸中線路出錯時，在新的會話中從出錯的塊繼續
故障後續傳</translation>
    </message>
    <message>
        <source>After the backup read, send only the blocks that differ from what the radio holds
Write Only Changed Blocks</source>
        <translation>備份讀取之後，只傳送與對講機現有內容不同的塊
只寫入改動的塊</translation>
    </message>
</context>
</TS>
