<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- File > Open Backup: the list of the radio's backups. -->
<context>
    <name>Template178</name>
    <message>
        <source>Open Backup</source>
        <translation>打开备份</translation>
    </message>
    <message>
        <source>&amp;Backups of the radio, the newest first:</source>
        <translation>对讲机的备份，最新的在前(&amp;B)：</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>O&amp;ther File...</source>
        <translation>其他文件(&amp;T)...</translation>
    </message>
</context>
</TS>
