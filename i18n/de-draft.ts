<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DrawingController</name>
    <message>
        <source>Fill on car %1, sprite %2</source>
        <translation>Füllen auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <source>Draw on car %1, sprite %2</source>
        <translation>Zeichnen auf Auto %1, Sprite %2</translation>
    </message>
    <message>
        <source>x %1, y %2</source>
        <translation>x %1, y %2</translation>
    </message>
    <message>
        <source>, index %1</source>
        <translation>, Index %1</translation>
    </message>
</context>
<context>
    <name>DrawingIndexStrip</name>
    <message>
        <source>index %1, red %2 green %3 blue %4</source>
        <translation>Index %1, Rot %2 Grün %3 Blau %4</translation>
    </message>
</context>
<context>
    <name>DrawingTools</name>
    <message>
        <source>Pencil</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Pencil: left button draws the drawing index, right button index 0; Shift+click draws a line</source>
        <translation>Stift: Die linke Taste zeichnet mit dem Zeichenindex, die rechte mit Index 0; Umschalt+Klick zeichnet eine Linie</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Füllen</translation>
    </message>
    <message>
        <source>Fill: fills the connected area of one index with the drawing index (right button: index 0)</source>
        <translation>Füllen: Füllt die zusammenhängende Fläche eines Index mit dem Zeichenindex (rechte Taste: Index 0)</translation>
    </message>
    <message>
        <source>Picker</source>
        <translation>Pipette</translation>
    </message>
    <message>
        <source>Picker: takes the clicked pixel&apos;s index as the drawing index (Ctrl+click in any tool)</source>
        <translation>Pipette: Übernimmt den Index des angeklickten Pixels als Zeichenindex (Strg+Klick in jedem Werkzeug)</translation>
    </message>
</context>
<context>
    <name>EquipmentController</name>
    <message>
        <source>Restore the characteristics of car %1</source>
        <translation>Eigenschaften von Auto %1 wiederherstellen</translation>
    </message>
    <message>
        <source>Restore the weapons of car %1</source>
        <translation>Waffen von Auto %1 wiederherstellen</translation>
    </message>
    <message>
        <source>%1 of car %2: %3</source>
        <translation>%1 von Auto %2: %3</translation>
    </message>
    <message>
        <source>Weapon A</source>
        <translation>Waffe A</translation>
    </message>
    <message>
        <source>Weapon C</source>
        <translation>Waffe C</translation>
    </message>
    <message>
        <source>Jump/turbo</source>
        <translation>Sprung/Turbo</translation>
    </message>
</context>
<context>
    <name>ExchangeController</name>
    <message>
        <source>Images (*.png *.bmp)</source>
        <translation>Bilder (*.png *.bmp)</translation>
    </message>
    <message>
        <source>PNG, indexed (*.png)</source>
        <translation>PNG, indiziert (*.png)</translation>
    </message>
    <message>
        <source>Binary files (*.bin)</source>
        <translation>Binärdateien (*.bin)</translation>
    </message>
    <message>
        <source>Export %1</source>
        <translation>%1 exportieren</translation>
    </message>
    <message>
        <source>Import %1</source>
        <translation>%1 importieren</translation>
    </message>
    <message>
        <source>Exported 1 sprite to %1/</source>
        <translation>1 Sprite nach %1/ exportiert</translation>
    </message>
    <message>
        <source>Exported %1 sprites to %2/</source>
        <translation>%1 Sprites nach %2/ exportiert</translation>
    </message>
    <message>
        <source>Exported %1 to %2</source>
        <translation>%1 nach %2 exportiert</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>File write error</source>
        <translation>Fehler beim Schreiben der Datei</translation>
    </message>
    <message>
        <source>Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg)</source>
        <translation>Bilder und Binärdateien (*.bin *.png *.bmp *.gif *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Images (*.png *.bmp *.gif *.jpg *.jpeg)</source>
        <translation>Bilder (*.png *.bmp *.gif *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Imported %1 from %2</source>
        <translation>%1 aus %2 importiert</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Quick export</source>
        <translation>Schnellexport</translation>
    </message>
    <message>
        <source>Wrote sprite %1 of car %2 to %3</source>
        <translation>Sprite %1 von Auto %2 nach %3 geschrieben</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels, not %3 x %3</source>
        <translation>das Bild hat %1 x %2 Pixel statt %3 x %3</translation>
    </message>
    <message>
        <source>the picture cannot be converted</source>
        <translation>das Bild lässt sich nicht umwandeln</translation>
    </message>
    <message>
        <source>Quick import</source>
        <translation>Schnellimport</translation>
    </message>
    <message>
        <source>Quick import into sprite %1 of car %2</source>
        <translation>Schnellimport in Sprite %1 von Auto %2</translation>
    </message>
</context>
<context>
    <name>OffsetController</name>
    <message>
        <source>Move all sprites of car %1</source>
        <translation>Alle Sprites von Auto %1 verschieben</translation>
    </message>
    <message>
        <source>Move sprite %1 of car %2</source>
        <translation>Sprite %1 von Auto %2 verschieben</translation>
    </message>
    <message>
        <source>Reset the moves of car %1</source>
        <translation>Verschiebungen von Auto %1 zurücksetzen</translation>
    </message>
    <message>
        <source>Auto-centre sprite %1 of car %2</source>
        <translation>Sprite %1 von Auto %2 automatisch zentrieren</translation>
    </message>
    <message>
        <source>Auto-centre car %1</source>
        <translation>Auto %1 automatisch zentrieren</translation>
    </message>
</context>
<context>
    <name>PaletteController</name>
    <message>
        <source>background, red %1 green %2 blue %3</source>
        <translation>Hintergrund, Rot %1 Grün %2 Blau %3</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Restore palette %1</source>
        <translation>Palette %1 wiederherstellen</translation>
    </message>
    <message>
        <source>Rotate colours 1 to 3 of %1</source>
        <translation>Farben 1 bis 3 von %1 rotieren</translation>
    </message>
    <message>
        <source>Swap colours 1 and 2 of %1</source>
        <translation>Farben 1 und 2 von %1 tauschen</translation>
    </message>
    <message>
        <source>Colour %1 of %2</source>
        <translation>Farbe %1 von %2</translation>
    </message>
    <message>
        <source>Random colour %1 of %2</source>
        <translation>Zufallsfarbe %1 von %2</translation>
    </message>
</context>
<context>
    <name>PaletteFileController</name>
    <message>
        <source>GIMP palette (*.gpl)</source>
        <translation>GIMP-Palette (*.gpl)</translation>
    </message>
    <message>
        <source>JASC palette (*.pal)</source>
        <translation>JASC-Palette (*.pal)</translation>
    </message>
    <message>
        <source>Adobe colour table (*.act)</source>
        <translation>Adobe-Farbtabelle (*.act)</translation>
    </message>
    <message>
        <source>Mega Drive colour words (*.bin)</source>
        <translation>Mega-Drive-Farbwörter (*.bin)</translation>
    </message>
    <message>
        <source>Export Palette...</source>
        <translation>Palette exportieren …</translation>
    </message>
    <message>
        <source>Import Palette...</source>
        <translation>Palette importieren …</translation>
    </message>
    <message>
        <source>No palette is selected.</source>
        <translation>Es ist keine Palette ausgewählt.</translation>
    </message>
    <message>
        <source>Exported palette %1 to %2</source>
        <translation>Palette %1 nach %2 exportiert</translation>
    </message>
    <message>
        <source>The &quot;%1&quot; palette is fixed and not stored in the ROM: pick one of the ROM&apos;s palettes to import into.</source>
        <translation>Die Palette „%1“ ist fest und nicht im ROM gespeichert: Wählen Sie eine Palette des ROMs, in die importiert werden soll.</translation>
    </message>
    <message>
        <source>Import palette %1 from %2</source>
        <translation>Palette %1 aus %2 importieren</translation>
    </message>
    <message>
        <source>Imported palette %1 from %2</source>
        <translation>Palette %1 aus %2 importiert</translation>
    </message>
    <message>
        <source>Export palette %1</source>
        <translation>Palette %1 exportieren</translation>
    </message>
    <message>
        <source>Export palette</source>
        <translation>Palette exportieren</translation>
    </message>
    <message>
        <source>Import palette %1</source>
        <translation>Palette %1 importieren</translation>
    </message>
    <message>
        <source>Palette files (*.gpl *.pal *.act *.bin)</source>
        <translation>Palettendateien (*.gpl *.pal *.act *.bin)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Import palette</source>
        <translation>Palette importieren</translation>
    </message>
</context>
<context>
    <name>PatchController</name>
    <message>
        <source>Create Patch...</source>
        <translation>Patch erstellen …</translation>
    </message>
    <message>
        <source>Wrote %1 (%2 bytes)</source>
        <translation>%1 geschrieben (%2 Bytes)</translation>
    </message>
    <message>
        <source>Create Patch</source>
        <translation>Patch erstellen</translation>
    </message>
</context>
<context>
    <name>PlayTestRunner</name>
    <message>
        <source>The emulator &quot;%1&quot; crashed at once.</source>
        <translation>Der Emulator „%1“ ist sofort abgestürzt.</translation>
    </message>
    <message>
        <source>The emulator &quot;%1&quot; stopped at once with status %2.</source>
        <translation>Der Emulator „%1“ hat sich sofort mit Status %2 beendet.</translation>
    </message>
    <message>
        <source> It wrote no error message.</source>
        <translation> Er hat keine Fehlermeldung ausgegeben.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Top speed</source>
        <translation>Höchstgeschwindigkeit</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <source>Suspension</source>
        <translation>Federung</translation>
    </message>
    <message>
        <source>Cornering</source>
        <translation>Kurvenverhalten</translation>
    </message>
    <message>
        <source>Jumping</source>
        <translation>Sprungkraft</translation>
    </message>
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
        <source>; 1 file failed</source>
        <translation>; 1 Datei fehlgeschlagen</translation>
    </message>
    <message>
        <source>; %1 files failed</source>
        <translation>; %1 Dateien fehlgeschlagen</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>… und %1 weitere</translation>
    </message>
    <message>
        <source>Open ROM</source>
        <translation>ROM öffnen</translation>
    </message>
    <message>
        <source>Open it anyway? A save never makes it larger without asking.</source>
        <translation>Trotzdem öffnen? Beim Speichern wird sie nie ohne Nachfrage größer.</translation>
    </message>
    <message>
        <source>Open Anyway</source>
        <translation>Trotzdem öffnen</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>Do you want to replace it?</source>
        <translation>Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
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
        <source>Open ROM file</source>
        <translation>ROM-Datei öffnen</translation>
    </message>
</context>
<context>
    <name>RomController</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Do you want to save your changes?</source>
        <translation>Möchten Sie Ihre Änderungen speichern?</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1
The edits are kept in the editor.</source>
        <translation>%1
Die Änderungen bleiben im Editor erhalten.</translation>
    </message>
    <message>
        <source>%1 no longer exists: it was deleted or renamed since it was opened.</source>
        <translation>%1 existiert nicht mehr: Die Datei wurde seit dem Öffnen gelöscht oder umbenannt.</translation>
    </message>
    <message>
        <source>Write the whole ROM as opened, game code included, with your changes back to &quot;%1&quot;?</source>
        <translation>Das ganze ROM wie geöffnet, mit Spielcode und Ihren Änderungen, nach „%1“ zurückschreiben?</translation>
    </message>
    <message>
        <source>Write back</source>
        <translation>Zurückschreiben</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened.</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>Overwrite it with the ROM as opened and your changes, or cancel and write nothing?</source>
        <translation>Mit dem ROM wie geöffnet und Ihren Änderungen überschreiben, oder abbrechen und nichts schreiben?</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Saving makes %1 larger: it grows from %2 to %3.</source>
        <translation>Speichern vergrößert %1: von %2 auf %3.</translation>
    </message>
    <message>
        <source>Save and let the file grow?</source>
        <translation>Speichern und die Datei wachsen lassen?</translation>
    </message>
    <message>
        <source>Apply sprite offsets</source>
        <translation>Sprite-Verschiebungen anwenden</translation>
    </message>
    <message>
        <source>Saved %1 (%2, checksum %3)%4</source>
        <translation>%1 gespeichert (%2, Prüfsumme %3)%4</translation>
    </message>
    <message>
        <source>, written in place</source>
        <translation>, direkt in die Datei geschrieben</translation>
    </message>
    <message>
        <source>Restore All Rom</source>
        <translation>Ganzes ROM wiederherstellen</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>read</source>
        <translation>gelesen</translation>
    </message>
    <message>
        <source>the factory data is damaged</source>
        <translation>die Werksdaten sind beschädigt</translation>
    </message>
</context>
<context>
    <name>SKMcarEditor</name>
    <message>
        <source>SKM [SMD] Car Editor</source>
        <translation>SKM [SMD] Car Editor</translation>
    </message>
    <message>
        <source>Sprite selection</source>
        <translation>Sprite-Auswahl</translation>
    </message>
    <message>
        <source>car</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>sprite</source>
        <translation>Sprite</translation>
    </message>
    <message>
        <source>mirrored</source>
        <translation>gespiegelt</translation>
    </message>
    <message>
        <source>rotate wheels</source>
        <translation>Räder drehen</translation>
    </message>
    <message>
        <source>zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>Animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>rotation</source>
        <translation>Drehung</translation>
    </message>
    <message>
        <source>auto-rotate</source>
        <translation>automatisch drehen</translation>
    </message>
    <message>
        <source>tilt</source>
        <translation>Neigung</translation>
    </message>
    <message>
        <source>auto-tilt</source>
        <translation>automatisch neigen</translation>
    </message>
    <message>
        <source>auto-wheels</source>
        <translation>Räder automatisch</translation>
    </message>
    <message>
        <source>animation speed</source>
        <translation>Animationsgeschwindigkeit</translation>
    </message>
    <message>
        <source>Save/Load sprites</source>
        <translation>Sprites speichern/laden</translation>
    </message>
    <message>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter …</translation>
    </message>
    <message>
        <source>separate sprites</source>
        <translation>einzelne Sprites</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;may be useful for&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;importing images with&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;incorrect palette&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;kann nützlich sein&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;beim Import von Bildern&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;mit falscher Palette&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>dithering</source>
        <translation>Dithering</translation>
    </message>
    <message>
        <source>Quick sprite import</source>
        <translation>Sprite-Schnellimport</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Ctrl+Q&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;loads &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;from program folder&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Strg+Q&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;lädt &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;aus dem Programmordner&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Ctrl+W&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;creates &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;in program folder&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;Strg+W&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;erstellt &amp;quot;sprite.bmp&amp;quot;&lt;/p&gt;&lt;p style=&quot;margin:0px; font-size:8pt;&quot;&gt;im Programmordner&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>Move Sprite</source>
        <translation>Sprite verschieben</translation>
    </message>
    <message>
        <source>up/down</source>
        <translation>hoch/runter</translation>
    </message>
    <message>
        <source>Auto-center sprite</source>
        <translation>Sprite automatisch zentrieren</translation>
    </message>
    <message>
        <source>left/right</source>
        <translation>links/rechts</translation>
    </message>
    <message>
        <source>Auto-center car</source>
        <translation>Auto automatisch zentrieren</translation>
    </message>
    <message>
        <source>move all sprites</source>
        <translation>alle Sprites verschieben</translation>
    </message>
    <message>
        <source>Reset all car</source>
        <translation>Ganzes Auto zurücksetzen</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>wiederherstellen</translation>
    </message>
    <message>
        <source>Swap colours 1 and 2</source>
        <translation>Farben 1 und 2 tauschen</translation>
    </message>
    <message>
        <source>&gt;&lt;</source>
        <translation>&gt;&lt;</translation>
    </message>
    <message>
        <source>Rotate colours 1 to 3</source>
        <translation>Farben 1 bis 3 rotieren</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Top Speed</source>
        <translation>Höchstgeschwindigkeit</translation>
    </message>
    <message>
        <source>Suspension</source>
        <translation>Federung</translation>
    </message>
    <message>
        <source>Jumping</source>
        <translation>Sprungkraft</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <source>Cornering</source>
        <translation>Kurvenverhalten</translation>
    </message>
    <message>
        <source>Weapons</source>
        <translation>Waffen</translation>
    </message>
    <message>
        <source>Weapon 1</source>
        <translation>Waffe 1</translation>
    </message>
    <message>
        <source>Weapon 2</source>
        <translation>Waffe 2</translation>
    </message>
    <message>
        <source>Jump/Turbo</source>
        <translation>Sprung/Turbo</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Restore All Rom</source>
        <translation>Ganzes ROM wiederherstellen</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot;font-size:8pt; text-decoration:underline;&quot;&gt;Edit car characteristics&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot;font-size:8pt; text-decoration:underline;&quot;&gt;Fahrzeugeigenschaften bearbeiten&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or (at your option) any later version. It comes with no warranty; see the licence for details.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version. Sie wird ohne jede Gewährleistung geliefert; Einzelheiten stehen in der Lizenz.</translation>
    </message>
    <message>
        <source>Thanks to the Retro Racing Forum community:</source>
        <translation>Dank an die Gemeinschaft des Retro Racing Forum:</translation>
    </message>
    <message>
        <source>and others</source>
        <translation>und andere</translation>
    </message>
    <message>
        <source>Skidmarch [SMD] car editor</source>
        <translation>Skidmarch [SMD] car editor</translation>
    </message>
    <message>
        <source>Program exit</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Do you want to save your changes to ROM?</source>
        <translation>Möchten Sie Ihre Änderungen im ROM speichern?</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open ROM...</source>
        <translation>ROM öffnen …</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save a Copy As...</source>
        <translation>Kopie speichern unter …</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren …</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Default Zoom</source>
        <translation>Standardgröße</translation>
    </message>
    <message>
        <source>Pixel Grid</source>
        <translation>Pixelraster</translation>
    </message>
    <message>
        <source>Tile Grid</source>
        <translation>Kachelraster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Über Qt</translation>
    </message>
    <message>
        <source>(no title)</source>
        <translation>(kein Titel)</translation>
    </message>
    <message>
        <source>no checksum</source>
        <translation>keine Prüfsumme</translation>
    </message>
    <message>
        <source>checksum %1 correct</source>
        <translation>Prüfsumme %1 richtig</translation>
    </message>
    <message>
        <source>checksum %1 wrong (should be %2)</source>
        <translation>Prüfsumme %1 falsch (richtig wäre %2)</translation>
    </message>
    <message>
        <source> · .smd</source>
        <translation> · .smd</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Do you want to save your changes to %1 before opening another ROM?</source>
        <translation>Möchten Sie Ihre Änderungen an %1 speichern, bevor ein anderes ROM geöffnet wird?</translation>
    </message>
    <message>
        <source>Opened %1 (%2)</source>
        <translation>%1 geöffnet (%2)</translation>
    </message>
    <message>
        <source>Discard your changes and read %1 again as it is on disk?</source>
        <translation>Ihre Änderungen verwerfen und %1 neu von der Festplatte lesen?</translation>
    </message>
    <message>
        <source>Reverted to %1 as on disk (%2)</source>
        <translation>Auf %1 wie auf der Festplatte zurückgesetzt (%2)</translation>
    </message>
    <message>
        <source>Open ROM</source>
        <translation>ROM öffnen</translation>
    </message>
    <message>
        <source>it no longer exists</source>
        <translation>sie existiert nicht mehr</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine normale Datei</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2. It is removed from the list.</source>
        <translation>%1 kann nicht geöffnet werden: %2. Sie wird aus der Liste entfernt.</translation>
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
        <source>Saved a copy as %1 (%2)</source>
        <translation>Kopie als %1 gespeichert (%2)</translation>
    </message>
    <message>
        <source>&lt;as opened&gt;</source>
        <translation>&lt;wie geöffnet&gt;</translation>
    </message>
    <message>
        <source>Drop one file at a time (%1 were dropped).</source>
        <translation>Bitte nur eine Datei auf einmal ablegen (%1 wurden abgelegt).</translation>
    </message>
    <message>
        <source>%1 is not a local file.</source>
        <translation>%1 ist keine lokale Datei.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>Drop</source>
        <translation>Ablegen</translation>
    </message>
</context>
<context>
    <name>SpriteDisplay</name>
    <message>
        <source>Sprite, car %1, sprite %2</source>
        <translation>Sprite, Auto %1, Sprite %2</translation>
    </message>
</context>
</TS>
