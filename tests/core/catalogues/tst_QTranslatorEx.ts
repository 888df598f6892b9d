<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Strip</name>
    <message>
        <source>NoMarker</source>
        <translation>&amp;Refresh (F5) &amp; more</translation>
    </message>
    <message>
        <source>AllClear</source>
        <translation>All Clear(&amp;C)</translation>
    </message>
    <message>
        <source>SameTwice</source>
        <translation>Open(&amp;O) or reopen(&amp;O)</translation>
    </message>
    <message>
        <source>OtherLetterStays</source>
        <translation>File(&amp;F) Open(&amp;O)</translation>
    </message>
    <message>
        <source>CaseMatters</source>
        <translation>File(&amp;F) file(&amp;f)</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Save(&amp;S) as...</translation>
    </message>
    <message>
        <source>Unclosed</source>
        <translation>Exit(&amp;X</translation>
    </message>
    <message>
        <source>BareOpener</source>
        <translation>Tail(&amp;</translation>
    </message>
    <message>
        <source>Disambiguated</source>
        <comment>menu</comment>
        <translation>Menu entry(&amp;M)</translation>
    </message>
    <message numerus="yes">
        <source>%n projector(s)</source>
        <translation>
            <numerusform>%n projector(&amp;P)</numerusform>
            <numerusform>%n projectors(&amp;P)</numerusform>
        </translation>
    </message>
</context>
</TS>
