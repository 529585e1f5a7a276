<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<!-- The English plural forms of the window's counts; every other text is its own source. -->
<context>
    <name>AnimationExportController</name>
    <message numerus="yes">
        <source>Exported car %1 as %2 (%n frame(s), %3)</source>
        <translation>
            <numerusform>Exported car %1 as %2 (%n frame, %3)</numerusform>
            <numerusform>Exported car %1 as %2 (%n frames, %3)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DrawingIndexStrip</name>
    <message numerus="yes">
        <source>index %1: %2 pixel(s) in this sprite, %3 in this car</source>
        <translation>
            <numerusform>index %1: %2 pixel in this sprite, %3 in this car</numerusform>
            <numerusform>index %1: %2 pixels in this sprite, %3 in this car</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExchangeController</name>
    <message numerus="yes">
        <source>; %n file(s) failed</source>
        <translation>
            <numerusform>; %n file failed</numerusform>
            <numerusform>; %n files failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Exported %n sprite(s) to %1/</source>
        <translation>
            <numerusform>Exported %n sprite to %1/</numerusform>
            <numerusform>Exported %n sprites to %1/</numerusform>
        </translation>
    </message>
</context>
</TS>
