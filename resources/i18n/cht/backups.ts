<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- File > Open Backup: the list of the radio's backups. -->
<context>
    <name>Template178</name>
    <message>
        <source>Open Backup</source>
        <translation>開啟備份</translation>
    </message>
    <message>
        <source>&amp;Backups of the radio, the newest first:</source>
        <translation>對講機的備份，最新的在前(&amp;B)：</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開啟(&amp;O)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>O&amp;ther File...</source>
        <translation>其他檔案(&amp;T)...</translation>
    </message>
</context>
</TS>
