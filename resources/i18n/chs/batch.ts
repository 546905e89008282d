<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Program Several Radios: its menu item, prompt and dialog. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Program &amp;Several Radios...</source>
        <translation>批量写频(&amp;S)...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Write the document to one radio after another, each checked and logged
Program Several Radios</source>
        <translation>将文档逐台写入多台对讲机，每台都校验并记录
批量写频</translation>
    </message>
</context>
<context>
    <name>Template170</name>
    <message>
        <source>Program Several Radios</source>
        <translation>批量写频</translation>
    </message>
    <message>
        <source>P&amp;orts:</source>
        <translation>串口(&amp;O)：</translation>
    </message>
    <message>
        <source>&amp;Variations file:</source>
        <translation>每台设置文件(&amp;V)：</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>浏览(&amp;B)...</translation>
    </message>
    <message>
        <source>V&amp;erify each radio after writing it</source>
        <translation>写入后校验每台对讲机(&amp;E)</translation>
    </message>
    <message>
        <source>Back &amp;up each radio before writing it</source>
        <translation>写入前备份每台对讲机(&amp;U)</translation>
    </message>
    <message>
        <source>Swap &amp;automatically: the next radio is written as soon as it answers</source>
        <translation>自动换台：下一台对讲机一应答即写入(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Wait for Next before each radio</source>
        <translation>每台之前等待按“下一台”(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Radios:</source>
        <translation>对讲机(&amp;R)：</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>打开文件夹(&amp;F)</translation>
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
        <translation>关闭(&amp;C)</translation>
    </message>
</context>
</TS>
