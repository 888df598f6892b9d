<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!--
  The help viewer's English message catalogue: every translation key of
  Lumivox 5 Help with its English text. "FileNotFound" is the page shown in
  place of a page that does not exist; %1 is the page asked for.
-->
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>HelpViewer</name>
    <message>
        <source>Lumivox 5 Help</source>
        <translation>Lumivox 5 Help</translation>
    </message>
    <message>
        <source>about:blank</source>
        <translation>about:blank</translation>
    </message>
    <message>
        <source>FileNotFound</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.01 Transitional//EN&quot;&gt;
&lt;html&gt;
&lt;head&gt;
  &lt;meta http-equiv=content-language content=&quot;en-us&quot;&gt;
  &lt;meta http-equiv=content-type content=&quot;text/html; charset=iso-8859-1&quot;&gt;
&lt;/head&gt;
&lt;body&gt;
  &lt;p&gt;[%1] was not found.&lt;/p&gt;
&lt;/body&gt;
&lt;/html&gt;
</translation>
    </message>
</context>
</TS>
