<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AnimationExportController</name>
    <message>
        <location filename="../editor/animationexportcontroller.cpp" line="+33"/>
        <source>Export &amp;Animation...</source>
        <translation>&amp;Animation exportieren...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Write the car on show turning or tilting as an animated GIF or WebP</source>
        <translation>Das angezeigte Auto drehend oder neigend als animiertes GIF oder WebP schreiben</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+24"/>
        <source>Export Animation</source>
        <translation>Animation exportieren</translation>
    </message>
    <message>
        <location line="-22"/>
        <source>Animated GIF (*.gif)</source>
        <translation>Animiertes GIF (*.gif)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Animated WebP (*.webp)</source>
        <translation>Animiertes WebP (*.webp)</translation>
    </message>
    <message numerus="yes">
        <source>Exported car %1 as %2 (%n frame(s), %3)</source>
        <translation>
            <numerusform>Auto %1 als %2 exportiert (%n Einzelbild, %3)</numerusform>
            <numerusform>Auto %1 als %2 exportiert (%n Einzelbilder, %3)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AnimationExportDialog</name>
    <message>
        <location filename="../editor/animationexportdialog.cpp" line="+30"/>
        <source>Export Animation</source>
        <translation>Animation exportieren</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>turn</source>
        <translation>drehen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>tilt</source>
        <translation>neigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>both</source>
        <translation>beides</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Rotation 0 to 23 at the tilt on show (24 frames)</source>
        <translation>Drehung 0 bis 23 bei der angezeigten Neigung (24 Einzelbilder)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tilt -4 to 4 and back at the rotation on show (16 frames)</source>
        <translation>Neigung -4 bis 4 und zurück bei der angezeigten Drehung (16 Einzelbilder)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turning and tilting together, as the window&apos;s animation plays them (48 frames)</source>
        <translation>Drehen und Neigen zusammen, wie die Animation im Fenster sie abspielt (48 Einzelbilder)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Motion:</source>
        <translation>Bewegung:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>wheel roll</source>
        <translation>rollende Räder</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>as grey</source>
        <translation>als Grau</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>transparent</source>
        <translation>transparent</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Index 0:</source>
        <translation>Index 0:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>console colours</source>
        <translation>Konsolenfarben</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+1"/>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
</context>
<context>
    <name>ConsoleColours</name>
    <message>
        <location filename="../editor/consolecolours.cpp" line="+13"/>
        <source>&amp;Console Colours</source>
        <translation>K&amp;onsolenfarben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show colours at the levels the console&apos;s video output shows them</source>
        <translation>Farben in den Stufen zeigen, in denen der Videoausgang der Konsole sie ausgibt</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>console colours</source>
        <translation>Konsolenfarben</translation>
    </message>
</context>
<context>
    <name>DrawingController</name>
    <message>
        <source>Line on car %1, sprite %2</source>
        <translation>Linie auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <source>Rectangle on car %1, sprite %2</source>
        <translation>Rechteck auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <source>Ellipse on car %1, sprite %2</source>
        <translation>Ellipse auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <location filename="../editor/drawingcontroller.cpp" line="+159"/>
        <source>Fill on car %1, sprite %2</source>
        <translation>Füllen auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Draw on car %1, sprite %2</source>
        <translation>Zeichnen auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>x %1, y %2</source>
        <translation>x %1, y %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>, index %1</source>
        <translation>, Index %1</translation>
    </message>
</context>
<context>
    <name>DrawingIndexStrip</name>
    <message>
        <location filename="../editor/drawingindexstrip.cpp" line="+41"/>
        <source>index %1, red %2 green %3 blue %4</source>
        <translation>Index %1, Rot %2 Grün %3 Blau %4</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>index 0: background, shown in the editor&apos;s grey</source>
        <translation>Index 0: Hintergrund, im Grau des Editors gezeigt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>index %1: double-click to edit the colour</source>
        <translation>Index %1: Doppelklick bearbeitet die Farbe</translation>
    </message>
    <message>
        <source>, unused in car %1</source>
        <translation>, unbenutzt in Auto %1</translation>
    </message>
    <message>
        <source>, unused in cars %1 and %2</source>
        <translation>, unbenutzt in den Autos %1 und %2</translation>
    </message>
    <message numerus="yes">
        <source>index %1: %2 pixel(s) in this sprite, %3 in this car</source>
        <translation>
            <numerusform>Index %1: %2 Pixel in diesem Sprite, %3 in diesem Auto</numerusform>
            <numerusform>Index %1: %2 Pixel in diesem Sprite, %3 in diesem Auto</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DrawingTools</name>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Line: drag from one end to the other; Shift keeps it to steps of 45 degrees</source>
        <translation>Linie: von einem Ende zum anderen ziehen; Umschalt hält sie in Schritten von 45 Grad</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Rectangle: drag from one corner to the other; Shift draws a square</source>
        <translation>Rechteck: von einer Ecke zur anderen ziehen; Umschalt zeichnet ein Quadrat</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Ellipse: drag across the rectangle it fills; Shift draws a circle</source>
        <translation>Ellipse: über das Rechteck ziehen, das sie ausfüllt; Umschalt zeichnet einen Kreis</translation>
    </message>
    <message>
        <source>Filled</source>
        <translation>Gefüllt</translation>
    </message>
    <message>
        <source>Rectangles and ellipses are drawn filled</source>
        <translation>Rechtecke und Ellipsen werden gefüllt gezeichnet</translation>
    </message>
    <message>
        <source>Mirror Symmetry</source>
        <translation>Spiegelsymmetrie</translation>
    </message>
    <message>
        <source>Every tool also draws the mirror image about the sprite's middle column</source>
        <translation>Jedes Werkzeug zeichnet auch das Spiegelbild um die mittlere Spalte des Sprites</translation>
    </message>
    <message>
        <location filename="../editor/drawingtools.cpp" line="+23"/>
        <source>Pencil</source>
        <translation>Stift</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pencil: left button draws the drawing index, right button index 0; Shift+click draws a line</source>
        <translation>Stift: Die linke Taste zeichnet mit dem Zeichenindex, die rechte mit Index 0; Umschalt+Klick zeichnet eine Linie</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fill</source>
        <translation>Füllen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fill: fills the connected area of one index with the drawing index (right button: index 0)</source>
        <translation>Füllen: Füllt die zusammenhängende Fläche eines Index mit dem Zeichenindex (rechte Taste: Index 0)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Picker</source>
        <translation>Pipette</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Picker: takes the clicked pixel&apos;s index as the drawing index (Ctrl+click in any tool)</source>
        <translation>Pipette: Übernimmt den Index des angeklickten Pixels als Zeichenindex (Strg+Klick in jedem Werkzeug)</translation>
    </message>
    <message>
        <location filename="../editor/widgets/drawingtools.cpp" line="+1"/>
        <source>Select</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <location filename="../editor/widgets/drawingtools.cpp" line="+1"/>
        <source>Select: drag a rectangle (Shift+arrows from the cursor), drag it or press the arrows to move its pixels; Edit menu: cut, copy, paste, flip</source>
        <translation>Auswahl: Ziehen Sie ein Rechteck auf (Umschalt+Pfeiltasten vom Cursor aus), ziehen Sie es oder drücken Sie die Pfeiltasten, um seine Pixel zu verschieben; Menü Bearbeiten: ausschneiden, kopieren, einfügen, spiegeln</translation>
    </message>
</context>
<context>
    <name>EditLinkController</name>
    <message>
        <location filename="../editor/editlinkcontroller.cpp" line="+24"/>
        <source>Edit &amp;Externally</source>
        <translation>E&amp;xtern bearbeiten</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Stop Editing Externally</source>
        <translation>Externes Bearbeiten beenden</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the ROM was read again</source>
        <translation>das ROM wurde neu gelesen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>another ROM was opened</source>
        <translation>ein anderes ROM wurde geöffnet</translation>
    </message>
    <message>
        <location line="+35"/>
        <location line="+9"/>
        <source>Edit Externally</source>
        <translation>Extern bearbeiten</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Linked: %1</source>
        <translation>Verknüpft: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Editing %1 externally as %2; each save there updates it here</source>
        <translation>%1 wird extern als %2 bearbeitet; jedes Speichern dort wird hier übernommen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Stopped editing %1 externally</source>
        <translation>Externes Bearbeiten von %1 beendet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stopped editing %1 externally: %2</source>
        <translation>Externes Bearbeiten von %1 beendet: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 was not taken in: %2</source>
        <translation>%1 wurde nicht übernommen: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 was saved without changes</source>
        <translation>%1 wurde ohne Änderungen gespeichert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updated %1 from %2, replacing the edits made here since (Undo brings them back)</source>
        <translation>%1 aus %2 aktualisiert; die seither hier gemachten Änderungen wurden ersetzt (Rückgängig holt sie zurück)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Updated %1 from %2</source>
        <translation>%1 aus %2 aktualisiert</translation>
    </message>
</context>
<context>
    <name>EquipmentController</name>
    <message>
        <location filename="../editor/equipmentcontroller.cpp" line="+74"/>
        <source>Restore the characteristics of car %1</source>
        <translation>Eigenschaften von Auto %1 wiederherstellen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Restore the weapons of car %1</source>
        <translation>Waffen von Auto %1 wiederherstellen</translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+16"/>
        <source>%1 of car %2: %3</source>
        <translation>%1 von Auto %2: %3</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Weapon A</source>
        <translation>Waffe A</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Weapon C</source>
        <translation>Waffe C</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Jump/turbo</source>
        <translation>Sprung/Turbo</translation>
    </message>
</context>
<context>
    <name>ExchangeController</name>
    <message>
        <source>Cannot load &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <location filename="../editor/exchangecontroller.cpp" line="+46"/>
        <source>Images (*.png *.bmp)</source>
        <translation>Bilder (*.png *.bmp)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PNG, indexed (*.png)</source>
        <translation>PNG, indiziert (*.png)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+145"/>
        <source>Binary files (*.bin)</source>
        <translation>Binärdateien (*.bin)</translation>
    </message>
    <message>
        <location line="-59"/>
        <source>Export %1</source>
        <translation>%1 exportieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Import %1</source>
        <translation>%1 importieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Exported %1 to %2</source>
        <translation>%1 nach %2 exportiert</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>File write error</source>
        <translation>Fehler beim Schreiben der Datei</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg)</source>
        <translation>Bilder und Binärdateien (*.bin *.png *.bmp *.gif *.jpg *.jpeg)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Images (*.png *.bmp *.gif *.jpg *.jpeg)</source>
        <translation>Bilder (*.png *.bmp *.gif *.jpg *.jpeg)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All files(*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Imported %1 from %2</source>
        <translation>%1 aus %2 importiert</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Quick export</source>
        <translation>Schnellexport</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Wrote %1 (car %2, sprite %3)</source>
        <translation>%1 geschrieben (Auto %2, Sprite %3)</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Read %1 into car %2, sprite %3</source>
        <translation>%1 in Auto %2, Sprite %3 gelesen</translation>
    </message>
    <message>
        <location line="-22"/>
        <source>the picture is %1 x %2 pixels, not %3 x %3</source>
        <translation>das Bild hat %1 x %2 Pixel statt %3 x %3</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the picture cannot be converted</source>
        <translation>das Bild lässt sich nicht umwandeln</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quick import</source>
        <translation>Schnellimport</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Quick import into sprite %1 of car %2</source>
        <translation>Schnellimport in Sprite %1 von Auto %2</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Quick E&amp;xport</source>
        <translation>Schnelle&amp;xport</translation>
    </message>
    <message>
        <source>Quick &amp;Import</source>
        <translation>Schnell&amp;import</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geladen werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) failed</source>
        <translation>
            <numerusform>; %n Datei fehlgeschlagen</numerusform>
            <numerusform>; %n Dateien fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Exported %n sprite(s) to %1/</source>
        <translation>
            <numerusform>%n Sprite nach %1/ exportiert</numerusform>
            <numerusform>%n Sprites nach %1/ exportiert</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExternalPrograms</name>
    <message>
        <location filename="../external/commandline.cpp" line="+75"/>
        <source>The command ends with a backslash: %1</source>
        <translation>Der Befehl endet mit einem Backslash: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The command has a single quote (&apos;) without its closing one: %1</source>
        <translation>Der Befehl hat ein einfaches Anführungszeichen (&apos;) ohne schließendes: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The command has a double quote (&quot;) without its closing one: %1</source>
        <translation>Der Befehl hat ein doppeltes Anführungszeichen (&quot;) ohne schließendes: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The command is empty</source>
        <translation>Der Befehl ist leer</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>not an executable program</source>
        <translation>kein ausführbares Programm</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>not installed (not found in PATH or /usr/games)</source>
        <translation>nicht installiert (weder in PATH noch in /usr/games gefunden)</translation>
    </message>
    <message>
        <location filename="../external/programsettings.cpp" line="+36"/>
        <source>Emulator command</source>
        <translation>Emulator-Befehl</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pixel editor command</source>
        <translation>Pixeleditor-Befehl</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the settings file cannot be written</source>
        <translation>die Einstellungsdatei kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>No emulator is installed. Install one of the Debian packages blastem, mednafen or mame (for example: sudo apt install blastem), or set the emulator command in Edit &gt; Preferences...</source>
        <translation>Es ist kein Emulator installiert. Installieren Sie eines der Debian-Pakete blastem, mednafen oder mame (zum Beispiel: sudo apt install blastem) oder legen Sie den Emulatorbefehl unter Bearbeiten &gt; Einstellungen... fest.</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Datei oder Verzeichnis nicht gefunden</translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <location filename="../base/result.h" line="+37"/>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot load &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>Cannot load file &quot;%1&quot;: %2</source>
        <translation>Datei „%1“ kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot start &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot lock &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gesperrt werden: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot use &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read palette file &quot;%1&quot;: %2</source>
        <translation>Palettendatei „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write palette file &quot;%1&quot;: %2</source>
        <translation>Palettendatei „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write patch &quot;%1&quot;: %2</source>
        <translation>Patch „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;: %2</source>
        <translation>Datei „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;: %2</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot recover from &quot;%1&quot;: %2</source>
        <translation>Aus „%1“ kann nichts wiederhergestellt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write into &quot;%1&quot;: %2</source>
        <translation>In „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write to &quot;%1&quot;: %2</source>
        <translation>Nach „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 was partly written: %2</source>
        <translation>%1 wurde nur teilweise geschrieben: %2</translation>
    </message>
</context>
<context>
    <name>OffsetController</name>
    <message>
        <location filename="../editor/offsetcontroller.cpp" line="+65"/>
        <source>Move all sprites of car %1</source>
        <translation>Alle Sprites von Auto %1 verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move sprite %1 of car %2</source>
        <translation>Sprite %1 von Auto %2 verschieben</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Reset the moves of car %1</source>
        <translation>Verschiebungen von Auto %1 zurücksetzen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Auto-center sprite %1 of car %2</source>
        <translation>Sprite %1 von Auto %2 automatisch zentrieren</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Auto-center car %1</source>
        <translation>Auto %1 automatisch zentrieren</translation>
    </message>
    <message>
        <source>Auto-center &amp;Sprite</source>
        <translation>&amp;Sprite automatisch zentrieren</translation>
    </message>
    <message>
        <source>Auto-center &amp;Car</source>
        <translation>&amp;Auto automatisch zentrieren</translation>
    </message>
    <message>
        <source>&amp;Reset Car Offsets</source>
        <translation>Verschiebungen des Autos &amp;zurücksetzen</translation>
    </message>
</context>
<context>
    <name>PaletteController</name>
    <message>
        <location filename="../editor/palettecontroller.cpp" line="+61"/>
        <source>background, red %1 green %2 blue %3</source>
        <translation>Hintergrund, Rot %1 Grün %2 Blau %3</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Restore palette %1</source>
        <translation>Palette %1 wiederherstellen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Rotate colours 1 to 3 of %1</source>
        <translation>Farben 1 bis 3 von %1 rotieren</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Swap colours 1 and 2 of %1</source>
        <translation>Farben 1 und 2 von %1 tauschen</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+4"/>
        <source>Colour %1 of %2</source>
        <translation>Farbe %1 von %2</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Edit Colour</source>
        <translation>Farbe bearbeiten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The &quot;%1&quot; palette is fixed: its colours cannot be changed. Pick one of the ROM&apos;s palettes to edit its colours.</source>
        <translation>Die Palette „%1“ ist fest: Ihre Farben lassen sich nicht ändern. Wählen Sie eine Palette des ROMs, um deren Farben zu bearbeiten.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Random colour %1 of %2</source>
        <translation>Zufallsfarbe %1 von %2</translation>
    </message>
    <message>
        <source>&amp;Swap Colours 1 and 2</source>
        <translation>Farben 1 und 2 &amp;tauschen</translation>
    </message>
    <message>
        <source>&amp;Rotate Colours 1 to 3</source>
        <translation>Farben 1 bis 3 &amp;rotieren</translation>
    </message>
    <message>
        <source>Random &amp;Colour...</source>
        <translation>&amp;Zufallsfarbe...</translation>
    </message>
    <message>
        <source>&amp;Edit Colour...</source>
        <translation>Farbe &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Res&amp;tore Palette</source>
        <translation>Palette &amp;wiederherstellen</translation>
    </message>
</context>
<context>
    <name>PaletteFileController</name>
    <message>
        <location filename="../editor/palettefilecontroller.cpp" line="+17"/>
        <source>GIMP palette (*.gpl)</source>
        <translation>GIMP-Palette (*.gpl)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>JASC palette (*.pal)</source>
        <translation>JASC-Palette (*.pal)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Adobe colour table (*.act)</source>
        <translation>Adobe-Farbtabelle (*.act)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mega Drive colour words (*.bin)</source>
        <translation>Mega-Drive-Farbwörter (*.bin)</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Export &amp;Palette...</source>
        <translation>&amp;Palette exportieren...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import P&amp;alette...</source>
        <translation>Pa&amp;lette importieren...</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+11"/>
        <source>No palette is selected.</source>
        <translation>Es ist keine Palette ausgewählt.</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Exported palette %1 to %2</source>
        <translation>Palette %1 nach %2 exportiert</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The &quot;%1&quot; palette is fixed and not stored in the ROM: pick one of the ROM&apos;s palettes to import into.</source>
        <translation>Die Palette „%1“ ist fest und nicht im ROM gespeichert: Wählen Sie eine Palette des ROMs, in die importiert werden soll.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Import palette %1 from %2</source>
        <translation>Palette %1 aus %2 importieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Imported palette %1 from %2</source>
        <translation>Palette %1 aus %2 importiert</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export palette %1</source>
        <translation>Palette %1 exportieren</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Export palette</source>
        <translation>Palette exportieren</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Import palette %1</source>
        <translation>Palette %1 importieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Palette files (*.gpl *.pal *.act *.bin)</source>
        <translation>Palettendateien (*.gpl *.pal *.act *.bin)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Import palette</source>
        <translation>Palette importieren</translation>
    </message>
</context>
<context>
    <name>PanelScroller</name>
    <message>
        <location filename="../editor/panelscroller.cpp" line="+11"/>
        <source>panels</source>
        <translation>Bedienfelder</translation>
    </message>
</context>
<context>
    <name>PatchController</name>
    <message>
        <location filename="../editor/patchcontroller.cpp" line="+16"/>
        <source>IPS patch (*.ips)</source>
        <translation>IPS-Patch (*.ips)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>BPS patch (*.bps)</source>
        <translation>BPS-Patch (*.bps)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Create Pa&amp;tch...</source>
        <translation>Pa&amp;tch erstellen...</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Wrote %1 (%2 bytes)</source>
        <translation>%1 geschrieben (%2 Bytes)</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+9"/>
        <source>Create Patch</source>
        <translation>Patch erstellen</translation>
    </message>
</context>
<context>
    <name>PlayTestController</name>
    <message>
        <source>It is larger than 64 MiB: not an emulator&apos;s state.</source>
        <translation>Sie ist größer als 64 MiB und damit kein Emulatorzustand.</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <location filename="../editor/playtestcontroller.cpp" line="+20"/>
        <location line="+10"/>
        <source>Play-test</source>
        <translation>Testspielen</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>&amp;Play-test</source>
        <translation>&amp;Testspielen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>
The emulator command is set in Edit &gt; Preferences...</source>
        <translation>
Den Emulator-Befehl legen Sie unter Bearbeiten &gt; Einstellungen... fest.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Started %1 on a copy of %2%3</source>
        <translation>%1 mit einer Kopie von %2%3 gestartet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> with the unsaved changes</source>
        <translation> samt den ungespeicherten Änderungen</translation>
    </message>
    <message>
        <source>Play-test &amp;Live</source>
        <translation>&amp;Live testspielen</translation>
    </message>
    <message>
        <source>Play-test Live</source>
        <translation>Live testspielen</translation>
    </message>
    <message>
        <source>Live: %1</source>
        <translation>Live: %1</translation>
    </message>
    <message>
        <source>Live link ended</source>
        <translation>Live-Verbindung beendet</translation>
    </message>
    <message>
        <source>Play-test in %1 and send every change to it while it runs</source>
        <translation>In %1 testspielen und jede Änderung dorthin schicken, solange es läuft</translation>
    </message>
    <message>
        <source>No emulator is installed or set in Edit &gt; Preferences...</source>
        <translation>Kein Emulator ist installiert oder unter Bearbeiten &gt; Einstellungen... festgelegt</translation>
    </message>
    <message>
        <source>%1 has no channel the editor can send changes through; only MAME and blastem can play-test live</source>
        <translation>%1 bietet keinen Weg, auf dem der Editor Änderungen schicken kann; nur mit MAME und blastem lässt sich live testspielen</translation>
    </message>
    <message>
        <source>Take the state %1 saved last with its save key (` unless its settings say otherwise): every later play-test of this ROM starts there</source>
        <translation>Den Zustand übernehmen, den %1 zuletzt mit seiner Speichertaste gespeichert hat (`, sofern seine Einstellungen nichts anderes sagen): jedes spätere Testspielen dieses ROMs beginnt dort</translation>
    </message>
    <message>
        <source>%1 has not saved a state of this play-test yet. Press its save key (` unless its settings say otherwise) in its window, then choose Record Start Point again.

It saves into %2</source>
        <translation>%1 hat in diesem Testspiel noch keinen Zustand gespeichert. Drücken Sie in seinem Fenster seine Speichertaste (`, sofern seine Einstellungen nichts anderes sagen) und wählen Sie dann erneut „Startpunkt aufnehmen“.

Es speichert nach %2</translation>
    </message>
    <message>
        <source>%1 cannot go live on this ROM: %2</source>
        <translation>%1 kann mit diesem ROM nicht live gehen: %2</translation>
    </message>
    <message>
        <source>&amp;Record Start Point</source>
        <translation>&amp;Startpunkt aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Forget Start Point</source>
        <translation>Startpunkt &amp;vergessen</translation>
    </message>
    <message>
        <source>Record Start Point</source>
        <translation>Startpunkt aufnehmen</translation>
    </message>
    <message>
        <source>Save the state of %1 now: every later play-test of this ROM starts there</source>
        <translation>Den Zustand von %1 jetzt sichern: jedes spätere Testspielen dieses ROMs beginnt dort</translation>
    </message>
    <message>
        <source>Records the state of a running Play-test Live (Shift+F5)</source>
        <translation>Nimmt den Zustand eines laufenden Live-Testspiels auf (Umschalt+F5)</translation>
    </message>
    <message>
        <source>This ROM has no start point: play-tests start at power-on</source>
        <translation>Dieses ROM hat keinen Startpunkt: Testspiele beginnen beim Einschalten</translation>
    </message>
    <message>
        <source>Remove the start point (%1&apos;s; not used with the emulator set now)</source>
        <translation>Den Startpunkt entfernen (von %1; mit dem jetzt eingestellten Emulator nicht verwendet)</translation>
    </message>
    <message>
        <source>Remove the start point: play-tests start at power-on again</source>
        <translation>Den Startpunkt entfernen: Testspiele beginnen wieder beim Einschalten</translation>
    </message>
    <message>
        <source>Start point recorded: play-tests of %1 start here</source>
        <translation>Startpunkt aufgenommen: Testspiele von %1 beginnen hier</translation>
    </message>
    <message>
        <source>Start point forgotten: play-tests start at power-on</source>
        <translation>Startpunkt vergessen: Testspiele beginnen beim Einschalten</translation>
    </message>
    <message>
        <source>, from the start point</source>
        <translation>, ab dem Startpunkt</translation>
    </message>
    <message>
        <source>Live: %1. </source>
        <translation>Live: %1. </translation>
    </message>
</context>
<context>
    <name>PlayTestRunner</name>
    <message>
        <location filename="../external/playtestrunner.cpp" line="+113"/>
        <source>The emulator &quot;%1&quot; crashed.</source>
        <translation>Der Emulator „%1“ ist abgestürzt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The emulator &quot;%1&quot; stopped with status %2.</source>
        <translation>Der Emulator „%1“ hat sich mit Status %2 beendet.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> It wrote no error message.</source>
        <translation> Er hat keine Fehlermeldung ausgegeben.</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <location filename="../editor/preferencesdialog.cpp" line="+38"/>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Emulator command</source>
        <translation>Emulator-Befehl</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none installed</source>
        <translation>keiner installiert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%f stands for the ROM. Left empty, the first installed of blastem, mednafen and mame is used: none is installed now (Debian packages blastem, mednafen, mame).</source>
        <translation>%f steht für das ROM. Bleibt das Feld leer, wird der erste installierte von blastem, mednafen und mame verwendet: Derzeit ist keiner installiert (Debian-Pakete blastem, mednafen, mame).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%f stands for the ROM. Left empty: %1 (the first installed of blastem, mednafen and mame).</source>
        <translation>%f steht für das ROM. Bleibt das Feld leer: %1 (der erste installierte von blastem, mednafen und mame).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pixel editor command</source>
        <translation>Pixeleditor-Befehl</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the desktop&apos;s application for PNG files</source>
        <translation>die Anwendung des Desktops für PNG-Dateien</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%f stands for the picture. Left empty, the desktop&apos;s application for PNG files opens it.</source>
        <translation>%f steht für das Bild. Bleibt das Feld leer, öffnet es die Anwendung des Desktops für PNG-Dateien.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Emulator command:</source>
        <translation>&amp;Emulator-Befehl:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Pixel editor command:</source>
        <translation>&amp;Pixeleditor-Befehl:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../editor/equipmentcontroller.cpp" line="-126"/>
        <source>Top speed</source>
        <translation>Höchstgeschwindigkeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Acceleration</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Suspension</source>
        <translation>Federung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cornering</source>
        <translation>Kurvenverhalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jumping</source>
        <translation>Sprungkraft</translation>
    </message>
    <message>
        <location filename="../editor/prompts.cpp" line="+32"/>
        <source>... and %1 more</source>
        <translation>… und %1 weitere</translation>
    </message>
    <message>
        <location filename="../editor/romcheckdialog.cpp" line="+13"/>
        <location line="+6"/>
        <source>Open ROM</source>
        <translation>ROM öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open it anyway? A save never makes it larger without asking.</source>
        <translation>Trotzdem öffnen? Beim Speichern wird sie nie ohne Nachfrage größer.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open Anyway</source>
        <translation>Trotzdem öffnen</translation>
    </message>
    <message>
        <location filename="../editor/windowprompts.cpp" line="+29"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Recover</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Decide &amp;Later</source>
        <translation>&amp;Später entscheiden</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 already exists.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Do you want to replace it?</source>
        <translation>Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <location filename="../editor/windowshell.cpp" line="+46"/>
        <location filename="../app/main.cpp" line="+194"/>
        <source>ROM images (*.bin *.smd *.gen *.md)</source>
        <translation>ROM-Abbilder (*.bin *.smd *.gen *.md)</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../app/main.cpp" line="+1"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="-2"/>
        <source>Open ROM file</source>
        <translation>ROM-Datei öffnen</translation>
    </message>
</context>
<context>
    <name>RecoveryController</name>
    <message>
        <location filename="../editor/recoverycontroller.cpp" line="+20"/>
        <source>Unsaved changes cannot be kept for recovery: %1</source>
        <translation>Ungespeicherte Änderungen können nicht für die Wiederherstellung aufbewahrt werden: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Recover unsaved changes</source>
        <translation>Ungespeicherte Änderungen wiederherstellen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1
The file is kept aside as %2.</source>
        <translation>%1
Die Datei wird als %2 aufbewahrt.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Recovered the unsaved changes to %1: Undo takes them back</source>
        <translation>Die ungespeicherten Änderungen an %1 wurden wiederhergestellt: Rückgängig nimmt sie zurück</translation>
    </message>
    <message>
        <source>Unsaved changes to %1 from %2 were found (the editor did not close normally).</source>
        <translation>Ungespeicherte Änderungen an %1 von %2 wurden gefunden (der Editor wurde nicht normal beendet).</translation>
    </message>
    <message>
        <source> %1 has changed on disk since then: recovering puts the recovered data in place of the car data the file holds now.</source>
        <translation> %1 wurde seitdem auf dem Datenträger geändert: Das Wiederherstellen setzt die wiederhergestellten Daten an die Stelle der Autodaten, die die Datei jetzt enthält.</translation>
    </message>
</context>
<context>
    <name>RomController</name>
    <message>
        <location filename="../editor/romcontroller.cpp" line="+22"/>
        <location line="+22"/>
        <location line="+8"/>
        <location line="+11"/>
        <location line="+3"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Do you want to save your changes?</source>
        <translation>Möchten Sie Ihre Änderungen speichern?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Save failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1
The edits are kept in the editor.</source>
        <translation>%1
Die Änderungen bleiben im Editor erhalten.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 no longer exists: it was deleted or renamed since it was opened.</source>
        <translation>%1 existiert nicht mehr: Die Datei wurde seit dem Öffnen gelöscht oder umbenannt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write the whole ROM as opened, game code included, with your changes back to &quot;%1&quot;?</source>
        <translation>Das ganze ROM wie geöffnet, mit Spielcode und Ihren Änderungen, nach „%1“ zurückschreiben?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Write back</source>
        <translation>Zurückschreiben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 was changed by another program since it was opened.</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Overwrite it with the ROM as opened and your changes, or cancel and write nothing?</source>
        <translation>Mit dem ROM wie geöffnet und Ihren Änderungen überschreiben, oder abbrechen und nichts schreiben?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Saving makes %1 larger: it grows from %2 to %3.</source>
        <translation>Speichern vergrößert %1: von %2 auf %3.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save and let the file grow?</source>
        <translation>Speichern und die Datei wachsen lassen?</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Apply sprite offsets</source>
        <translation>Sprite-Verschiebungen anwenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Saved %1 (%2, checksum %3)%4</source>
        <translation>%1 gespeichert (%2, Prüfsumme %3)%4</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>, written in place</source>
        <translation>, direkt in die Datei geschrieben</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Restore All Rom</source>
        <translation>Ganzes ROM wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Restored the sprites, palettes, characteristics and weapons of all cars as the ROM was opened. Ctrl+Z takes it back.</source>
        <translation>Sprites, Paletten, Eigenschaften und Waffen aller Autos wie beim Öffnen des ROMs wiederhergestellt. Strg+Z nimmt das zurück.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+5"/>
        <location line="+10"/>
        <source>Restore Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>the factory data is damaged</source>
        <translation>die Werksdaten sind beschädigt</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Replaced the sprites, palettes, characteristics and weapons of all cars with the game&apos;s defaults. Ctrl+Z takes it back.</source>
        <translation>Sprites, Paletten, Eigenschaften und Waffen aller Autos durch die Standardwerte des Spiels ersetzt. Strg+Z nimmt das zurück.</translation>
    </message>
    <message>
        <source>%1 now leads to another file, %2: a link was put in its place since it was opened.</source>
        <translation>%1 führt jetzt zu einer anderen Datei, %2: Seit dem Öffnen wurde eine Verknüpfung an ihre Stelle gesetzt.</translation>
    </message>
    <message>
        <source>Save a copy of the ROM with your changes under another name? %1 and the file it leads to stay as they are.</source>
        <translation>Eine Kopie des ROMs mit Ihren Änderungen unter einem anderen Namen speichern? %1 und die Datei, zu der es führt, bleiben unverändert.</translation>
    </message>
    <message>
        <source>Save a Copy As...</source>
        <translation>Kopie speichern unter...</translation>
    </message>
    <message>
        <source>Waiting for another program to finish with %1...</source>
        <translation>Warten, bis ein anderes Programm mit %1 fertig ist...</translation>
    </message>
    <message>
        <source>Save cancelled: %1 was not written.</source>
        <translation>Speichern abgebrochen: %1 wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>Save a Copy As</source>
        <translation>Kopie speichern unter</translation>
    </message>
    <message>
        <source>-copy.</source>
        <translation>-kopie.</translation>
    </message>
    <message>
        <source>ROM images (*.bin *.smd *.gen *.md)</source>
        <translation>ROM-Abbilder (*.bin *.smd *.gen *.md)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Saved a copy as %1 (%2); %3 was not written</source>
        <translation>Kopie als %1 gespeichert (%2); %3 wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Restore &amp;All Rom</source>
        <translation>&amp;Ganzes ROM wiederherstellen</translation>
    </message>
    <message>
        <source>Restore &amp;Defaults</source>
        <translation>&amp;Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>Every car is as the ROM was opened already: nothing to restore</source>
        <translation>Jedes Auto ist schon so, wie das ROM geöffnet wurde: nichts wiederherzustellen</translation>
    </message>
    <message>
        <source>Every car has the game&apos;s defaults already: nothing to replace</source>
        <translation>Jedes Auto hat schon die Standardwerte des Spiels: nichts zu ersetzen</translation>
    </message>
</context>
<context>
    <name>SKMcarEditor</name>
    <message>
        <source>Mirror S&amp;ymmetry</source>
        <translation>Spiegels&amp;ymmetrie</translation>
    </message>
    <message>
        <source>Every drawing tool also draws the mirror image about the sprite's middle column</source>
        <translation>Jedes Zeichenwerkzeug zeichnet auch das Spiegelbild um die mittlere Spalte des Sprites</translation>
    </message>
    <message>
        <location filename="../editor/skmcareditor.ui" line="+6"/>
        <location filename="../editor/infobox.cpp" line="+19"/>
        <source>SKM [SMD] Car Editor</source>
        <translation>SKM [SMD] Car Editor</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Sprite selection</source>
        <translation>Sprite-Auswahl</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+171"/>
        <source>car</source>
        <translation>Auto</translation>
    </message>
    <message>
        <location line="-157"/>
        <location line="+151"/>
        <source>sprite</source>
        <translation>Sprite</translation>
    </message>
    <message>
        <location line="-136"/>
        <source>mirrored</source>
        <translation>gespiegelt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>rotate wheels</source>
        <translation>Räder drehen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>rotation</source>
        <translation>Drehung</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>auto-rotate</source>
        <translation>automatisch drehen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>tilt</source>
        <translation>Neigung</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>auto-tilt</source>
        <translation>automatisch neigen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>auto-wheels</source>
        <translation>Räder automatisch</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>animation speed</source>
        <translation>Animationsgeschwindigkeit</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Save/Load sprites</source>
        <translation>Sprites speichern/laden</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>separate sprites</source>
        <translation>einzelne Sprites</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;may be useful for&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;importing images with&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;incorrect palette&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;kann nützlich sein&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;beim Import von Bildern&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;mit falscher Palette&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dithering</source>
        <translation>Dithering</translation>
    </message>
    <message>
        <source>Load matches colours as the editor&apos;s first versions did, to repeat an old import exactly</source>
        <translation>Laden ordnet Farben zu wie die ersten Versionen des Editors, um einen alten Import genau zu wiederholen</translation>
    </message>
    <message>
        <source>classic matching</source>
        <translation>klassische Zuordnung</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+1"/>
        <source>console colours</source>
        <translation>Konsolenfarben</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+1"/>
        <source>match as the console shows</source>
        <translation>wie auf der Konsole abgleichen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Quick sprite import</source>
        <translation>Sprite-Schnellimport</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Ctrl+Q&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;loads &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;from program folder&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Strg+Q&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;lädt &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;aus dem Programmordner&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>In</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Ctrl+W&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;creates &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;in program folder&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Strg+W&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;erstellt &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;im Programmordner&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Out</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Move Sprite</source>
        <translation>Sprite verschieben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>up/down</source>
        <translation>hoch/runter</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Auto-center sprite</source>
        <translation>Sprite automatisch zentrieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>left/right</source>
        <translation>links/rechts</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Auto-center car</source>
        <translation>Auto automatisch zentrieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>move all sprites</source>
        <translation>alle Sprites verschieben</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reset all car</source>
        <translation>Ganzes Auto zurücksetzen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <location line="+46"/>
        <location line="+103"/>
        <location line="+51"/>
        <source>restore</source>
        <translation>wiederherstellen</translation>
    </message>
    <message>
        <location line="-148"/>
        <location filename="../editor/windowtooltips.cpp" line="+47"/>
        <source>Swap colours 1 and 2</source>
        <translation>Farben 1 und 2 tauschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&gt;&lt;</source>
        <translation>&gt;&lt;</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../editor/windowtooltips.cpp" line="+1"/>
        <source>Rotate colours 1 to 3</source>
        <translation>Farben 1 bis 3 rotieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Top Speed</source>
        <translation>Höchstgeschwindigkeit</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Suspension</source>
        <translation>Federung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Jumping</source>
        <translation>Sprungkraft</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Acceleration</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cornering</source>
        <translation>Kurvenverhalten</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Weapons</source>
        <translation>Waffen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Weapon 1</source>
        <translation>Waffe 1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Weapon 2</source>
        <translation>Waffe 2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Jump/Turbo</source>
        <translation>Sprung/Turbo</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Save Changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Restore All Rom</source>
        <translation>Ganzes ROM wiederherstellen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Restore Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot;font-size:8pt; text-decoration:underline;&quot;&gt;Edit car characteristics&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot;font-size:8pt; text-decoration:underline;&quot;&gt;Fahrzeugeigenschaften bearbeiten&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <location filename="../editor/infobox.cpp" line="-8"/>
        <source>Free software under the GNU General Public License, version 3 or (at your option) any later version. It comes with no warranty; see the licence for details.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version. Sie wird ohne jede Gewährleistung geliefert; Einzelheiten stehen in der Lizenz.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Thanks to the Retro Racing Forum community:</source>
        <translation>Dank an die Gemeinschaft des Retro Racing Forum:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>and others</source>
        <translation>und andere</translation>
    </message>
    <message>
        <location filename="../editor/skmcareditor.cpp" line="+246"/>
        <source>Program exit</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Do you want to save your changes to ROM?</source>
        <translation>Möchten Sie Ihre Änderungen im ROM speichern?</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location filename="../editor/windowshell.cpp" line="+57"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+210"/>
        <location line="+1"/>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <location line="-183"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+248"/>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location line="-235"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+216"/>
        <source>User Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <location line="-291"/>
        <source>&amp;Open ROM...</source>
        <translation>ROM ö&amp;ffnen...</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+232"/>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <location line="-229"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save a &amp;Copy As...</source>
        <translation>&amp;Kopie speichern unter...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Re&amp;vert</source>
        <translation>Zu&amp;rücksetzen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;History</source>
        <translation>&amp;Verlauf</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Zoom &amp;Out</source>
        <translation>Verk&amp;leinern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Default Zoom</source>
        <translation>&amp;Standardvergrößerung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zoom to &amp;Fit</source>
        <translation>&amp;Einpassen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Pixel Grid</source>
        <translation>&amp;Pixelraster</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Tile Grid</source>
        <translation>&amp;Kachelraster</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show &amp;Background as Checkerboard</source>
        <translation>&amp;Hintergrund als Schachbrett zeigen</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&amp;Game</source>
        <translation>Sp&amp;iel</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;User Guide</source>
        <translation>Benutzer&amp;handbuch</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>(no title)</source>
        <translation>(kein Titel)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no checksum</source>
        <translation>keine Prüfsumme</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>checksum %1 correct</source>
        <translation>Prüfsumme %1 richtig</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>checksum %1 wrong (should be %2)</source>
        <translation>Prüfsumme %1 falsch (richtig wäre %2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> · .smd</source>
        <translation> · .smd</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Unsaved changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Do you want to save your changes to %1 before opening another ROM?</source>
        <translation>Möchten Sie Ihre Änderungen an %1 speichern, bevor ein anderes ROM geöffnet wird?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Opened %1 (%2)</source>
        <translation>%1 geöffnet (%2)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Discard your changes and read %1 again as it is on disk?</source>
        <translation>Ihre Änderungen verwerfen und %1 neu von der Festplatte lesen?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reverted to %1 as on disk (%2)</source>
        <translation>Auf %1 wie auf der Festplatte zurückgesetzt (%2)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Open ROM</source>
        <translation>ROM öffnen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>it no longer exists</source>
        <translation>sie existiert nicht mehr</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it is not a regular file</source>
        <translation>sie ist keine normale Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 cannot be opened: %2. It is removed from the list.</source>
        <translation>%1 kann nicht geöffnet werden: %2. Sie wird aus der Liste entfernt.</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+13"/>
        <source>Save a Copy As</source>
        <translation>Kopie speichern unter</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>-copy.</source>
        <translation>-kopie.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Saved a copy as %1 (%2)</source>
        <translation>Kopie als %1 gespeichert (%2)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&lt;as opened&gt;</source>
        <translation>&lt;wie geöffnet&gt;</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Drop one file at a time (%1 were dropped).</source>
        <translation>Bitte nur eine Datei auf einmal ablegen (%1 wurden abgelegt).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is not a local file.</source>
        <translation>%1 ist keine lokale Datei.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Drop</source>
        <translation>Ablegen</translation>
    </message>
    <message>
        <location filename="../editor/windowmenus.cpp" line="+48"/>
        <source>&amp;Sprite</source>
        <translation>&amp;Sprite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Auto-center &amp;Sprite</source>
        <translation>&amp;Sprite automatisch zentrieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Auto-center &amp;Car</source>
        <translation>&amp;Auto automatisch zentrieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Reset Car Offsets</source>
        <translation>Verschiebungen des Autos &amp;zurücksetzen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Mirrored</source>
        <translation>&amp;Gespiegelt</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Quick E&amp;xport</source>
        <translation>Schnelle&amp;xport</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Quick &amp;Import</source>
        <translation>Schnell&amp;import</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Palette</source>
        <translation>&amp;Palette</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Swap Colours 1 and 2</source>
        <translation>Farben 1 und 2 &amp;tauschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Rotate Colours 1 to 3</source>
        <translation>Farben 1 bis 3 &amp;rotieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Random &amp;Colour...</source>
        <translation>&amp;Zufallsfarbe...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Edit Colour...</source>
        <translation>Farbe &amp;bearbeiten...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Res&amp;tore Palette</source>
        <translation>Palette &amp;wiederherstellen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Car</source>
        <translation>A&amp;uto</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Characteristics</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Restore &amp;All Rom</source>
        <translation>&amp;Ganzes ROM wiederherstellen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Restore &amp;Defaults</source>
        <translation>&amp;Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Sprites</source>
        <translation>Sprites</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sprite &amp;Overview</source>
        <translation>Sp&amp;rite-Übersicht</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Overview at &amp;2x</source>
        <translation>Übersicht in &amp;2-facher Größe</translation>
    </message>
    <message>
        <location filename="../editor/windowtooltips.cpp" line="-34"/>
        <source>The car on show (1 to 5)</source>
        <translation>Das angezeigte Auto (1 bis 5)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The sprite on show; the overview shows all of the car&apos;s sprites</source>
        <translation>Das angezeigte Sprite; die Übersicht zeigt alle Sprites des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the sprite mirrored, as the game does for the other half of the turn</source>
        <translation>Das Sprite gespiegelt zeigen, wie das Spiel es für die andere Hälfte der Drehung tut</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the wheels turned</source>
        <translation>Die Räder gedreht zeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zoom of the sprite view (Ctrl+wheel, Ctrl++, Ctrl+-, Ctrl+9 to fit)</source>
        <translation>Vergrößerung der Sprite-Ansicht (Strg+Mausrad, Strg++, Strg+-, Strg+9 zum Einpassen)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rotation step of the car (0 to 23)</source>
        <translation>Drehstufe des Autos (0 bis 23)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turn the car step by step</source>
        <translation>Das Auto Schritt für Schritt drehen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tilt of the car (-4 to 4)</source>
        <translation>Neigung des Autos (-4 bis 4)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tilt the car back and forth</source>
        <translation>Das Auto hin und her neigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Turn the wheels</source>
        <translation>Die Räder drehen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load and Save As work on the sprite on show</source>
        <translation>„Laden“ und „Speichern unter“ wirken auf das angezeigte Sprite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load and Save As work on all sprites of the car on show</source>
        <translation>„Laden“ und „Speichern unter“ wirken auf alle Sprites des angezeigten Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load and Save As work on all sprites of all cars</source>
        <translation>„Laden“ und „Speichern unter“ wirken auf alle Sprites aller Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Import sprites from a picture file</source>
        <translation>Sprites aus einer Bilddatei importieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export sprites to a picture file</source>
        <translation>Sprites in eine Bilddatei exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export one file per sprite instead of one sheet</source>
        <translation>Eine Datei je Sprite statt eines Gesamtbilds exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write exported pictures in the colours the console shows</source>
        <translation>Exportierte Bilder in den Farben schreiben, die die Konsole zeigt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Match loaded pictures against the colours the console shows</source>
        <translation>Geladene Bilder mit den Farben abgleichen, die die Konsole zeigt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+Q: reads &quot;sprite.bmp&quot; from the working folder %1 into the sprite on show</source>
        <translation>Strg+Q: liest „sprite.bmp“ aus dem Arbeitsordner %1 in das angezeigte Sprite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ctrl+W: writes the sprite on show to &quot;sprite.bmp&quot; in the working folder %1 (replacing it)</source>
        <translation>Strg+W: schreibt das angezeigte Sprite nach „sprite.bmp“ im Arbeitsordner %1 (ersetzt die Datei)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Move the sprite up or down</source>
        <translation>Das Sprite nach oben oder unten verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move the sprite left or right</source>
        <translation>Das Sprite nach links oder rechts verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move all sprites of the car together</source>
        <translation>Alle Sprites des Autos gemeinsam verschieben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Centre the sprite on show</source>
        <translation>Das angezeigte Sprite zentrieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Centre every sprite of the car</source>
        <translation>Jedes Sprite des Autos zentrieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Undo all moves of the car&apos;s sprites not yet saved</source>
        <translation>Alle noch nicht gespeicherten Verschiebungen der Sprites des Autos zurücknehmen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The palette the sprites are shown (and exchanged) in</source>
        <translation>Die Palette, in der die Sprites angezeigt (und ausgetauscht) werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Colour 1: click to choose, right-click for a random colour</source>
        <translation>Farbe 1: Klicken zum Auswählen, Rechtsklick für eine Zufallsfarbe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Colour 2: click to choose, right-click for a random colour</source>
        <translation>Farbe 2: Klicken zum Auswählen, Rechtsklick für eine Zufallsfarbe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Colour 3: click to choose, right-click for a random colour</source>
        <translation>Farbe 3: Klicken zum Auswählen, Rechtsklick für eine Zufallsfarbe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The editor&apos;s background colour behind the sprite (not stored in the ROM)</source>
        <translation>Die Hintergrundfarbe des Editors hinter dem Sprite (nicht im ROM gespeichert)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Restore the palette as the ROM was opened</source>
        <translation>Die Palette wie beim Öffnen des ROMs wiederherstellen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save the changes into the ROM file (Ctrl+S)</source>
        <translation>Die Änderungen in der ROM-Datei speichern (Strg+S)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Put back every car as the ROM was opened (Ctrl+Z takes it back)</source>
        <translation>Alle Autos auf den Stand beim Öffnen des ROMs zurücksetzen (Strg+Z nimmt das zurück)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Put back the game&apos;s own cars (Ctrl+Z takes it back)</source>
        <translation>Die ursprünglichen Autos des Spiels zurückholen (Strg+Z nimmt das zurück)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show or hide the car&apos;s characteristics and weapons</source>
        <translation>Eigenschaften und Waffen des Autos zeigen oder verbergen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About this program</source>
        <translation>Über dieses Programm</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Restore the characteristics as the ROM was opened</source>
        <translation>Die Eigenschaften wie beim Öffnen des ROMs wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Restore the weapons as the ROM was opened</source>
        <translation>Die Waffen wie beim Öffnen des ROMs wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Top speed of the car</source>
        <translation>Höchstgeschwindigkeit des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Acceleration of the car</source>
        <translation>Beschleunigung des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Suspension of the car</source>
        <translation>Federung des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cornering of the car</source>
        <translation>Kurvenverhalten des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jumping of the car</source>
        <translation>Sprungkraft des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The car&apos;s first weapon</source>
        <translation>Die erste Waffe des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The car&apos;s second weapon</source>
        <translation>Die zweite Waffe des Autos</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The car&apos;s jump or turbo</source>
        <translation>Sprung oder Turbo des Autos</translation>
    </message>
    <message>
        <source>&amp;Messages</source>
        <translation>&amp;Meldungen</translation>
    </message>
    <message>
        <source>&amp;Console Colours</source>
        <translation>K&amp;onsolenfarben</translation>
    </message>
    <message>
        <source>Show colours at the levels the console&apos;s video output shows them</source>
        <translation>Farben in den Stufen zeigen, in denen der Videoausgang der Konsole sie ausgibt</translation>
    </message>
    <message>
        <source>Restore palette</source>
        <translation>Palette wiederherstellen</translation>
    </message>
    <message>
        <source>Restore parameters</source>
        <translation>Parameter wiederherstellen</translation>
    </message>
    <message>
        <source>Restore weapons</source>
        <translation>Waffen wiederherstellen</translation>
    </message>
    <message>
        <source>Onion &amp;Skin</source>
        <translation>&amp;Zwiebelschale</translation>
    </message>
    <message>
        <source>Show the neighbouring views faintly behind the sprite</source>
        <translation>Die benachbarten Ansichten blass hinter dem Sprite zeigen</translation>
    </message>
    <message>
        <source>Onion Skin &amp;Neighbours</source>
        <translation>&amp;Nachbarn der Zwiebelschale</translation>
    </message>
    <message>
        <source>&amp;Rotations Either Side</source>
        <translation>&amp;Drehungen davor und danach</translation>
    </message>
    <message>
        <source>&amp;Tilts Above and Below</source>
        <translation>&amp;Neigungen darüber und darunter</translation>
    </message>
    <message>
        <source>&amp;Mirrored Partner</source>
        <translation>&amp;Gespiegeltes Gegenstück</translation>
    </message>
    <message>
        <source>&amp;Hardware Tiles</source>
        <translation>Hard&amp;ware-Kacheln</translation>
    </message>
    <message>
        <source>Reference Picture &amp;Placement</source>
        <translation>&amp;Lage des Vorlagebilds</translation>
    </message>
    <message>
        <source>Compare &amp;Palettes</source>
        <translation>Paletten &amp;vergleichen</translation>
    </message>
    <message>
        <source>Show the sprite in every palette of the ROM side by side</source>
        <translation>Das Sprite in jeder Palette des ROMs nebeneinander zeigen</translation>
    </message>
    <message>
        <source>Palettes</source>
        <translation>Paletten</translation>
    </message>
    <message>
        <source>Outline the 8 x 8 tiles and the four hardware sprites, mark empty and repeated tiles and count them</source>
        <translation>Die 8 x 8 Kacheln und die vier Hardware-Sprites umranden, leere und wiederholte Kacheln markieren und zählen</translation>
    </message>
</context>
<context>
    <name>SpriteDisplay</name>
    <message>
        <location filename="../editor/spritedisplay.cpp" line="+69"/>
        <source>Sprite, car %1, sprite %2</source>
        <translation>Sprite, Auto %1, Sprite %2</translation>
    </message>
</context>
<context>
    <name>SpriteOverview</name>
    <message>
        <location filename="../editor/spriteoverview.cpp" line="+36"/>
        <source>Sprites</source>
        <translation>Sprites</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>no sprite for this view</source>
        <translation>kein Sprite für diese Ansicht</translation>
    </message>
    <message>
        <location line="+113"/>
        <source>sprite %1, changed</source>
        <translation>Sprite %1, geändert</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>sprite %1</source>
        <translation>Sprite %1</translation>
    </message>
</context>
<context>
    <name>SpriteScroller</name>
    <message>
        <location filename="../editor/spritescroller.cpp" line="+25"/>
        <source>sprite view</source>
        <translation>Sprite-Ansicht</translation>
    </message>
</context>
<context>
    <name>ExternalEditLink</name>
    <message>
        <source>its folder %1 was removed</source>
        <translation>sein Ordner %1 wurde entfernt</translation>
    </message>
    <message>
        <source>its folder %1 was replaced by a link</source>
        <translation>sein Ordner %1 wurde durch eine Verknüpfung ersetzt</translation>
    </message>
    <message>
        <source>its folder %1 was replaced by a file</source>
        <translation>sein Ordner %1 wurde durch eine Datei ersetzt</translation>
    </message>
    <message>
        <source>its folder %1 was made anew by another user</source>
        <translation>sein Ordner %1 wurde von einem anderen Benutzer neu angelegt</translation>
    </message>
    <message>
        <source>its folder %1 cannot be watched again</source>
        <translation>sein Ordner %1 kann nicht wieder überwacht werden</translation>
    </message>
</context>
<context>
    <name>MessageLog</name>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>No messages yet</source>
        <translation>Noch keine Meldungen</translation>
    </message>
</context>
<context>
    <name>ShownNames</name>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Opponent 3</source>
        <translation>Gegner 3</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Opponent 2</source>
        <translation>Gegner 2</translation>
    </message>
    <message>
        <source>Opponent 1</source>
        <translation>Gegner 1</translation>
    </message>
    <message>
        <source>Import/Export</source>
        <translation>Import/Export</translation>
    </message>
    <message>
        <source>Exploding mine</source>
        <translation>Explodierende Mine</translation>
    </message>
    <message>
        <source>Tracking bullet</source>
        <translation>Zielsuchendes Geschoss</translation>
    </message>
    <message>
        <source>Rocket</source>
        <translation>Rakete</translation>
    </message>
    <message>
        <source>Bullet</source>
        <translation>Geschoss</translation>
    </message>
    <message>
        <source>Oil</source>
        <translation>Öl</translation>
    </message>
    <message>
        <source>Mine</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>Jump</source>
        <translation>Sprung</translation>
    </message>
    <message>
        <source>Turbo</source>
        <translation>Turbo</translation>
    </message>
</context>
<context>
    <name>LoadErrorText</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>the picture cannot be converted</source>
        <translation>das Bild kann nicht umgewandelt werden</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>die Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>car %1 cannot be converted</source>
        <translation>Auto %1 kann nicht umgewandelt werden</translation>
    </message>
    <message>
        <source>the car has no sprite %1</source>
        <translation>das Auto hat kein Sprite %1</translation>
    </message>
    <message>
        <source>there is no car %1</source>
        <translation>es gibt kein Auto %1</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels; a sprite takes %3</source>
        <translation>das Bild ist %1 x %2 Pixel groß; ein Sprite braucht %3</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels; a car takes %3</source>
        <translation>das Bild ist %1 x %2 Pixel groß; ein Auto braucht %3</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels; all cars take %3</source>
        <translation>das Bild ist %1 x %2 Pixel groß; alle Autos brauchen %3</translation>
    </message>
    <message>
        <source>the file holds %1 bytes; a sprite takes %2</source>
        <translation>die Datei enthält %1 Bytes; ein Sprite braucht %2</translation>
    </message>
    <message>
        <source>the file holds %1 bytes; one sprite takes exactly %2</source>
        <translation>die Datei enthält %1 Bytes; ein Sprite braucht genau %2</translation>
    </message>
    <message>
        <source>the file holds %1 bytes; a car takes exactly %2</source>
        <translation>die Datei enthält %1 Bytes; ein Auto braucht genau %2</translation>
    </message>
    <message>
        <source>the file holds %1 bytes; all cars take %2</source>
        <translation>die Datei enthält %1 Bytes; alle Autos brauchen %2</translation>
    </message>
    <message>
        <source>Cannot load file &quot;%1&quot;: %2</source>
        <translation>Datei „%1“ kann nicht geladen werden: %2</translation>
    </message>
</context>
<context>
    <name>LiveLink</name>
    <message>
        <source>The live link to %1 ended: %2</source>
        <translation>Die Live-Verbindung zu %1 wurde beendet: %2</translation>
    </message>
    <message>
        <source>the ROM&apos;s size changed from %1 to %2 bytes.</source>
        <translation>Die Größe des ROMs hat sich von %1 auf %2 Bytes geändert.</translation>
    </message>
    <message>
        <source>%1 could not save its state into %2.</source>
        <translation>%1 konnte seinen Zustand nicht in %2 sichern.</translation>
    </message>
    <message>
        <source>%1 did not answer within %2 seconds.</source>
        <translation>%1 hat nicht innerhalb von %2 Sekunden geantwortet.</translation>
    </message>
</context>
<context>
    <name>HardwareTilesDisplay</name>
    <message>
        <source>Tiles: sprite %L1 used, %L2 empty, %L3 duplicate; car %L4 used, %L5 empty, %L6 duplicate, %L7 bytes, %L8 shared</source>
        <translation>Kacheln: Sprite %L1 belegt, %L2 leer, %L3 doppelt; Auto %L4 belegt, %L5 leer, %L6 doppelt, %L7 Bytes, %L8 geteilt</translation>
    </message>
    <message>
        <source>Tiles %L1/%L2/%L3, car %L4/%L5/%L6, %L7 B, %L8 B shared</source>
        <translation>Kacheln %L1/%L2/%L3, Auto %L4/%L5/%L6, %L7 B, %L8 B geteilt</translation>
    </message>
</context>
<context>
    <name>ExchangeScope</name>
    <message>
        <source>all cars</source>
        <translation>alle Autos</translation>
    </message>
    <message>
        <source>car %1</source>
        <translation>Auto %1</translation>
    </message>
    <message>
        <source>sprite %1 of car %2</source>
        <translation>Sprite %1 von Auto %2</translation>
    </message>
    <message>
        <source>Import %1 from %2</source>
        <translation>%1 aus %2 importieren</translation>
    </message>
    <message>
        <source>Update %1 from %2</source>
        <translation>%1 aus %2 aktualisieren</translation>
    </message>
</context>
<context>
    <name>StartPoint</name>
    <message>
        <source>the folder cannot be made</source>
        <translation>der Ordner lässt sich nicht anlegen</translation>
    </message>
</context>
<context>
    <name>ReferenceController</name>
    <message>
        <source>Reference picture opacity</source>
        <translation>Deckkraft des Vorlagebilds</translation>
    </message>
    <message>
        <source>Opacity of the reference picture (Alt+Page Up, Alt+Page Down)</source>
        <translation>Deckkraft des Vorlagebilds (Alt+Bild auf, Alt+Bild ab)</translation>
    </message>
    <message>
        <source>Reference &amp;Picture...</source>
        <translation>&amp;Vorlagebild...</translation>
    </message>
    <message>
        <source>Show a picture with the sprite to draw by; it is never part of the sprite</source>
        <translation>Ein Bild als Zeichenvorlage mit dem Sprite zeigen; es wird nie Teil des Sprites</translation>
    </message>
    <message>
        <source>H&amp;ide Reference Picture</source>
        <translation>Vorlagebild aus&amp;blenden</translation>
    </message>
    <message>
        <source>Reference &amp;Over the Sprite</source>
        <translation>Vorlage &amp;über dem Sprite</translation>
    </message>
    <message>
        <source>Show the reference picture over the sprite instead of behind it</source>
        <translation>Das Vorlagebild über dem Sprite statt dahinter zeigen</translation>
    </message>
    <message>
        <source>Reference for Each &amp;View</source>
        <translation>Vorlage für jede &amp;Ansicht</translation>
    </message>
    <message>
        <source>A new reference picture is for the view on show only, not for the whole car</source>
        <translation>Ein neues Vorlagebild gilt nur für die gezeigte Ansicht, nicht für das ganze Auto</translation>
    </message>
    <message>
        <source>Move Reference &amp;Left</source>
        <translation>Vorlage nach &amp;links</translation>
    </message>
    <message>
        <source>Move Reference &amp;Right</source>
        <translation>Vorlage nach &amp;rechts</translation>
    </message>
    <message>
        <source>Move Reference &amp;Up</source>
        <translation>Vorlage nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Reference &amp;Down</source>
        <translation>Vorlage nach &amp;unten</translation>
    </message>
    <message>
        <source>Reference &amp;Larger</source>
        <translation>Vorlage &amp;größer</translation>
    </message>
    <message>
        <source>Reference &amp;Smaller</source>
        <translation>Vorlage &amp;kleiner</translation>
    </message>
    <message>
        <source>Reference &amp;More Opaque</source>
        <translation>Vorlage &amp;deckender</translation>
    </message>
    <message>
        <source>Reference Less &amp;Opaque</source>
        <translation>Vorlage durch&amp;sichtiger</translation>
    </message>
    <message>
        <source>Reference Picture</source>
        <translation>Vorlagebild</translation>
    </message>
    <message>
        <source>Pictures (%1)</source>
        <translation>Bilder (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Reference picture %1 for car %2, sprite %3</source>
        <translation>Vorlagebild %1 für Auto %2, Sprite %3</translation>
    </message>
    <message>
        <source>Reference picture %1 for car %2</source>
        <translation>Vorlagebild %1 für Auto %2</translation>
    </message>
</context>
<context>
    <name>PaletteComparison</name>
    <message>
        <source>Palettes</source>
        <translation>Paletten</translation>
    </message>
    <message>
        <source>Palette %1</source>
        <translation>Palette %1</translation>
    </message>
    <message>
        <source>%1, palette %2</source>
        <translation>%1, Palette %2</translation>
    </message>
    <message>
        <source>Show the sprite in this palette</source>
        <translation>Das Sprite in dieser Palette zeigen</translation>
    </message>
</context>
<context>
    <name>SpriteOverview</name>
    <message>
        <source>%1
Tiles of the sprite: %L2 used, %L3 empty, %L4 duplicate, %L5 bytes, %L6 shared
Tiles of the car: %L7 used, %L8 empty, %L9 duplicate, %L10 bytes, %L11 shared</source>
        <translation>%1
Kacheln des Sprites: %L2 benutzt, %L3 leer, %L4 doppelt, %L5 Bytes, %L6 geteilt
Kacheln des Autos: %L7 benutzt, %L8 leer, %L9 doppelt, %L10 Bytes, %L11 geteilt</translation>
    </message>
</context>
<context>
    <name>ViewCopyController</name>
    <message>
        <source>Copy to &amp;Next Rotation</source>
        <translation>In die &amp;nächste Drehung kopieren</translation>
    </message>
    <message>
        <source>Copy the view on show to the next rotation, as a start for drawing it</source>
        <translation>Die gezeigte Ansicht in die nächste Drehung kopieren, als Anfang für deren Zeichnung</translation>
    </message>
    <message>
        <source>Copy to &amp;Previous Rotation</source>
        <translation>In die &amp;vorige Drehung kopieren</translation>
    </message>
    <message>
        <source>Copy the view on show to the previous rotation, as a start for drawing it</source>
        <translation>Die gezeigte Ansicht in die vorige Drehung kopieren, als Anfang für deren Zeichnung</translation>
    </message>
    <message>
        <source>Copy to Mirrored Par&amp;tner</source>
        <translation>In den gespiegelten &amp;Partner kopieren</translation>
    </message>
    <message>
        <source>Copy the view on show upside down to the view across the side view (rotation 12 - r, tilt -t)</source>
        <translation>Die gezeigte Ansicht kopfüber in die Ansicht jenseits der Seitenansicht kopieren (Drehung 12 - r, Neigung -t)</translation>
    </message>
    <message>
        <source>Rotation %1, tilt %2 has no mirrored partner: nothing copied</source>
        <translation>Drehung %1, Neigung %2 hat keinen gespiegelten Partner: nichts kopiert</translation>
    </message>
    <message>
        <source>No other sprite shows tilt %1: nothing copied</source>
        <translation>Kein anderes Sprite zeigt Neigung %1: nichts kopiert</translation>
    </message>
    <message>
        <source>Copy sprite %1 to sprite %2 of car %3</source>
        <translation>Sprite %1 in Sprite %2 von Auto %3 kopieren</translation>
    </message>
    <message>
        <source>Copied to rotation %1, tilt %2 (sprite %3%4)</source>
        <translation>In Drehung %1, Neigung %2 kopiert (Sprite %3%4)</translation>
    </message>
    <message>
        <source>, mirrored</source>
        <translation>, gespiegelt</translation>
    </message>
</context>
<context>
    <name>SelectionController</name>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Index &amp;0 Transparent</source>
        <translation>Index &amp;0 transparent</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Pixels of index 0 in a pasted or moved piece leave the sprite as it is</source>
        <translation>Pixel mit Index 0 in einem eingefügten oder verschobenen Stück lassen das Sprite, wie es ist</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Cu&amp;t</source>
        <translation>A&amp;usschneiden</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Pa&amp;ste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Paste pixels or a picture as a floating piece: drag it, then click beside it or press Return to place it, Escape to drop it</source>
        <translation>Pixel oder ein Bild als schwebendes Stück einfügen: Ziehen Sie es, dann setzen Sie es mit einem Klick daneben oder der Eingabetaste ab, Escape verwirft es</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>D&amp;eselect</source>
        <translation>Auswahl auf&amp;heben</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Flip H&amp;orizontally</source>
        <translation>H&amp;orizontal spiegeln</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Flip &amp;Vertically</source>
        <translation>Ver&amp;tikal spiegeln</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Move pixels on car %1, sprite %2</source>
        <translation>Pixel verschieben auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Paste on car %1, sprite %2</source>
        <translation>Einfügen auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Copied %1 x %2 pixels</source>
        <translation>%1 x %2 Pixel kopiert</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Delete on car %1, sprite %2</source>
        <translation>Löschen auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>The clipboard holds no pixels or picture to paste.</source>
        <translation>Die Zwischenablage enthält keine Pixel und kein Bild zum Einfügen.</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Pasted %1 x %2 pixels: Return or a click beside them places them, Escape drops them</source>
        <translation>%1 x %2 Pixel eingefügt: Eingabetaste oder ein Klick daneben setzt sie ab, Escape verwirft sie</translation>
    </message>
    <message>
        <location filename="../editor/controllers/selectioncontroller.cpp" line="+1"/>
        <source>Flip on car %1, sprite %2</source>
        <translation>Spiegeln auf Auto %1, Sprite %2</translation>
    </message>
</context>
<context>
    <name>PixelClipboard</name>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The pixels on the clipboard are damaged: their header is missing.</source>
        <translation>Die Pixel in der Zwischenablage sind beschädigt: Ihr Kopf fehlt.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The pixels on the clipboard come from a newer version of this program.</source>
        <translation>Die Pixel in der Zwischenablage stammen von einer neueren Version dieses Programms.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The pixels on the clipboard claim a size of %1 x %2; a piece is 1 x 1 to 48 x 48 pixels.</source>
        <translation>Die Pixel in der Zwischenablage geben eine Größe von %1 x %2 an; ein Stück ist 1 x 1 bis 48 x 48 Pixel groß.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The pixels on the clipboard are damaged: they come from outside the 48 x 48 frame.</source>
        <translation>Die Pixel in der Zwischenablage sind beschädigt: Sie stammen von außerhalb des Rahmens von 48 x 48.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The pixels on the clipboard are damaged: their length does not match their size.</source>
        <translation>Die Pixel in der Zwischenablage sind beschädigt: Ihre Länge passt nicht zu ihrer Größe.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The pixels on the clipboard are damaged: they hold an index past 15.</source>
        <translation>Die Pixel in der Zwischenablage sind beschädigt: Sie enthalten einen Index über 15.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The clipboard holds no picture that can be pasted.</source>
        <translation>Die Zwischenablage enthält kein Bild, das sich einfügen lässt.</translation>
    </message>
    <message>
        <location filename="../exchange/pixelclipboard.cpp" line="+1"/>
        <source>The picture on the clipboard is %1 x %2 pixels; a piece is at most 48 x 48.</source>
        <translation>Das Bild in der Zwischenablage ist %1 x %2 Pixel groß; ein Stück ist höchstens 48 x 48 groß.</translation>
    </message>
</context>
<context>
    <name>ConsoleColourGrid</name>
    <message>
        <source>red %1, green %2, blue %3, %4</source>
        <translation>Rot %1, Grün %2, Blau %3, %4</translation>
    </message>
</context>
<context>
    <name>ConsoleColourPicker</name>
    <message>
        <source>Shown in console colours</source>
        <translation>In Konsolenfarben gezeigt</translation>
    </message>
    <message>
        <source>Shown in linear colours</source>
        <translation>In linearen Farben gezeigt</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>&amp;Colours:</source>
        <translation>&amp;Farben:</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Wort</translation>
    </message>
    <message>
        <source>The colour as the ROM stores it: 0000 BBB0 GGG0 RRR0 in hex</source>
        <translation>Die Farbe, wie das ROM sie speichert: 0000 BBB0 GGG0 RRR0 hexadezimal</translation>
    </message>
    <message>
        <source>&amp;Word:</source>
        <translation>&amp;Wort:</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>&amp;Rot:</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>&amp;Green:</source>
        <translation>&amp;Grün:</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>&amp;Blue:</source>
        <translation>&amp;Blau:</translation>
    </message>
    <message>
        <source>Old</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;More...</source>
        <translation>&amp;Mehr...</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Mehr...</translation>
    </message>
    <message>
        <source>Choose from all colours; the choice is brought to the nearest console colour</source>
        <translation>Aus allen Farben wählen; die Wahl wird auf die nächste Konsolenfarbe gebracht</translation>
    </message>
</context>
<context>
    <name>GdbRemote</name>
    <message>
        <source>%1 did not answer &quot;%2&quot; within %3 seconds.</source>
        <translation>%1 hat auf „%2“ nicht innerhalb von %3 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>%1 closed its end of the conversation.</source>
        <translation>%1 hat seine Seite der Verbindung geschlossen.</translation>
    </message>
    <message>
        <source>%1 refused &quot;%2&quot; %3 times.</source>
        <translation>%1 hat „%2“ %3-mal zurückgewiesen.</translation>
    </message>
    <message>
        <source>%1 sent %2 packets with a wrong checksum.</source>
        <translation>%1 hat %2 Pakete mit falscher Prüfsumme geschickt.</translation>
    </message>
</context>
<context>
    <name>StubChannel</name>
    <message>
        <source>the ROM is too short to hold the vertical blanking vector at 0x78.</source>
        <translation>das ROM ist zu kurz für den Vektor der vertikalen Austastlücke bei 0x78.</translation>
    </message>
    <message>
        <source>the vertical blanking vector at 0x78 points to the odd address 0x%1.</source>
        <translation>der Vektor der vertikalen Austastlücke bei 0x78 zeigt auf die ungerade Adresse 0x%1.</translation>
    </message>
    <message>
        <source>%1 answered &quot;%2&quot; to %3.</source>
        <translation>%1 hat auf %3 „%2“ geantwortet.</translation>
    </message>
    <message>
        <source>the question whether it is stopped</source>
        <translation>die Frage, ob es angehalten ist,</translation>
    </message>
    <message>
        <source>the breakpoint at 0x%1</source>
        <translation>den Haltepunkt bei 0x%1</translation>
    </message>
    <message>
        <source>a write of its memory at 0x%1</source>
        <translation>das Schreiben seines Speichers bei 0x%1</translation>
    </message>
    <message>
        <source>a read of its memory at 0x%1</source>
        <translation>das Lesen seines Speichers bei 0x%1</translation>
    </message>
    <message>
        <source>&quot;continue&quot;</source>
        <translation>„weiter“ (continue)</translation>
    </message>
</context>
</TS>
