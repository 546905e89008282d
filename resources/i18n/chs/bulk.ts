<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Set Selected Cells, Fill Down and Fill Frequencies: menu items, prompts and dialog. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Set Selected Ce&amp;lls	Ctrl+Enter</source>
        <translation>设置所选单元格(&amp;L)	Ctrl+Enter</translation>
    </message>
    <message>
        <source>Fill Dow&amp;n	Ctrl+D</source>
        <translation>向下填充(&amp;N)	Ctrl+D</translation>
    </message>
    <message>
        <source>Fill Fre&amp;quencies...</source>
        <translation>填充频率(&amp;Q)...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Put the value being typed into every selected cell of its column
Set Selected Cells</source>
        <translation>将正在输入的值填入该列的每个所选单元格
设置所选单元格</translation>
    </message>
    <message>
        <source>Copy the top selected cell into the selected cells below it
Fill Down</source>
        <translation>将所选的顶部单元格复制到其下方的所选单元格
向下填充</translation>
    </message>
    <message>
        <source>Give the selected channels frequencies in steps
Fill Frequencies</source>
        <translation>按步进为所选信道填充频率
填充频率</translation>
    </message>
</context>
<context>
    <name>Template172</name>
    <message>
        <source>Fill Frequencies</source>
        <translation>填充频率</translation>
    </message>
    <message>
        <source>&amp;First frequency (MHz):</source>
        <translation>起始频率 (MHz)(&amp;F)：</translation>
    </message>
    <message>
        <source>&amp;Step (kHz):</source>
        <translation>步进 (kHz)(&amp;S)：</translation>
    </message>
    <message>
        <source>Tx Freq:</source>
        <translation>发射频率：</translation>
    </message>
    <message>
        <source>s&amp;ame as Rx</source>
        <translation>与接收频率相同(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Rx + offset</source>
        <translation>接收频率 + 偏移(&amp;R)</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>&amp;unchanged</source>
        <translation>不变(&amp;U)</translation>
    </message>
    <message>
        <source>Over the selected channels, in channel order. A frequency between the 5 kHz and 6.25 kHz channel steps moves down to the nearer step below, as a typed one does.</source>
        <translation>按信道顺序填充所选信道。落在 5 kHz 与 6.25 kHz 信道步进之间的频率，与手动输入时一样，向下调整到较近的步进。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
