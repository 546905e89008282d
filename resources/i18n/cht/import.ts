<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- The summary of a generic channel file before it is imported. -->
<context>
    <name>Template176</name>
    <message>
        <source>Import Channels</source>
        <translation>匯入信道</translation>
    </message>
    <message>
        <source>Place rows:</source>
        <translation>放置各行：</translation>
    </message>
    <message>
        <source>by &amp;Location: Location N is channel N</source>
        <translation>按 Location(&amp;L)：Location N 即信道 N</translation>
    </message>
    <message>
        <source>in file &amp;order, from channel</source>
        <translation>按檔案順序(&amp;O)，從信道</translation>
    </message>
    <message>
        <source>&amp;Rows left out and changes:</source>
        <translation>未匯入的行和變更(&amp;R)：</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>匯入(&amp;I)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
