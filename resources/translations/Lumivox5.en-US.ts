<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!--
  The English message catalogue: every translation key of the program with its
  English text, in the key's context (the class name; QObject for texts outside
  a class). Contexts stay in alphabetical order. tst_TranslationCatalogue checks
  that every key the sources pass to translation has an entry here.
-->
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>CTransportLog</name>
    <message>
        <source>FileWriteErrorMsg</source>
        <translation>An error occurred while writing the file.</translation>
    </message>
</context>
<context>
    <name>DeviceSettingWindow</name>
    <message>
        <source>Menu_AllClear</source>
        <translation>All Clear(&amp;C)</translation>
    </message>
</context>
</TS>
