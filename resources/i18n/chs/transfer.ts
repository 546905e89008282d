<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- The menu items and prompts of verify, backups and compare. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Open &amp;Backup...</source>
        <translation>打开备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Co&amp;mpare with File...</source>
        <translation>与文件比较(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Compare with Radio...</source>
        <translation>与对讲机比较(&amp;C)...</translation>
    </message>
    <message>
        <source>&amp;Verify After Write</source>
        <translation>写入后校验(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Back Up Before Write</source>
        <translation>写入前备份(&amp;B)</translation>
    </message>
    <message>
        <source>Write Only Changed B&amp;locks</source>
        <translation>只写入改动的块(&amp;L)</translation>
    </message>
    <message>
        <source>Resume After a &amp;Fault</source>
        <translation>故障后续传(&amp;F)</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Read the radio back after every write and compare
Verify After Write</source>
        <translation>每次写入后读回对讲机并比较
写入后校验</translation>
    </message>
    <message>
        <source>Save a backup of the radio&apos;s memory before every write
Back Up Before Write</source>
        <translation>每次写入前保存对讲机内容的备份
写入前备份</translation>
    </message>
    <message>
        <source>Show what differs between the radio and the document
Compare with Radio</source>
        <translation>显示对讲机与文档的不同之处
与对讲机比较</translation>
    </message>
    <message>
        <source>Show what differs between the document and a file
Compare with File</source>
        <translation>显示文档与文件的不同之处
与文件比较</translation>
    </message>
    <message>
        <source>Open a backup of the radio&apos;s memory as a new document
Open Backup</source>
        <translation>将对讲机内容的备份作为新文档打开
打开备份</translation>
    </message>
    <message>
        <source>When the line fails during a transfer, go on from the failed block in a new session
Resume After a Fault</source>
        <translation>传输中线路出错时，在新的会话中从出错的块继续
故障后续传</translation>
    </message>
    <message>
        <source>After the backup read, send only the blocks that differ from what the radio holds
Write Only Changed Blocks</source>
        <translation>备份读取之后，只发送与对讲机现有内容不同的块
只写入改动的块</translation>
    </message>
</context>
</TS>
