<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>frmAbout</name>
    <message>
        <source>About Corvane Part File Stacker</source>
        <translation>Acerca de Corvane Part File Stacker</translation>
    </message>
    <message>
        <source>Corvane Part File Stacker</source>
        <translation>Corvane Part File Stacker</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>(c) Corvane. Free to use and share, provided as is, without warranty.</source>
        <translation>(c) Corvane. Libre para usar y compartir; se ofrece tal cual, sin garantía.</translation>
    </message>
    <message>
        <source>Built with Qt %1, running on Qt %2.</source>
        <translation>Compilado con Qt %1, en ejecución sobre Qt %2.</translation>
    </message>
</context>
<context>
    <name>frmCV_ProgIDE</name>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
</context>
</TS>
