<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A plug-in's own catalogue, as an operator may put one beside the program. -->
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>CPluginPJAdjust</name>
    <message>
        <source>PJAdjust</source>
        <translation>Picture and Sound</translation>
    </message>
</context>
</TS>
