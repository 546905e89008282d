<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- Set Selected Cells, Fill Down and Fill Frequencies: menu items, prompts and dialog. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Set Selected Ce&amp;lls	Ctrl+Enter</source>
        <translation>設定所選儲存格(&amp;L)	Ctrl+Enter</translation>
    </message>
    <message>
        <source>Fill Dow&amp;n	Ctrl+D</source>
        <translation>向下填充(&amp;N)	Ctrl+D</translation>
    </message>
    <message>
        <source>Fill Fre&amp;quencies...</source>
        <translation>填充頻率(&amp;Q)...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Put the value being typed into every selected cell of its column
Set Selected Cells</source>
        <translation>將正在輸入的值填入該欄的每個所選儲存格
設定所選儲存格</translation>
    </message>
    <message>
        <source>Copy the top selected cell into the selected cells below it
Fill Down</source>
        <translation>將所選的頂部儲存格複製到其下方的所選儲存格
向下填充</translation>
    </message>
    <message>
        <source>Give the selected channels frequencies in steps
Fill Frequencies</source>
        <translation>按步進為所選信道填充頻率
填充頻率</translation>
    </message>
</context>
<context>
    <name>Template172</name>
    <message>
        <source>Fill Frequencies</source>
        <translation>填充頻率</translation>
    </message>
    <message>
        <source>&amp;First frequency (MHz):</source>
        <translation>起始頻率 (MHz)(&amp;F)：</translation>
    </message>
    <message>
        <source>&amp;Step (kHz):</source>
        <translation>步進 (kHz)(&amp;S)：</translation>
    </message>
    <message>
        <source>Tx Freq:</source>
        <translation>發射頻率：</translation>
    </message>
    <message>
        <source>s&amp;ame as Rx</source>
        <translation>與接收頻率相同(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Rx + offset</source>
        <translation>接收頻率 + 偏移(&amp;R)</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>&amp;unchanged</source>
        <translation>不變(&amp;U)</translation>
    </message>
    <message>
        <source>Over the selected channels, in channel order. A frequency between the 5 kHz and 6.25 kHz channel steps moves down to the nearer step below, as a typed one does.</source>
        <translation>按信道順序填充所選信道。落在 5 kHz 與 6.25 kHz 信道步進之間的頻率，與手動輸入時一樣，向下調整到較近的步進。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
