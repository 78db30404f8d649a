<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AutoResourcesDialog</name>
    <message>
        <source>Automatic Resources</source>
        <translation>Automatische Ressourcen</translation>
    </message>
    <message>
        <source>Add &quot;Related &amp;Discussions Resources&quot; to the Cheatsheet</source>
        <translation>Ressourcen „Verwandte &amp;Diskussionen“ zum Spickzettel hinzufügen</translation>
    </message>
    <message>
        <source>Enter one &amp;Keyword Per Line:</source>
        <translation>Ein Stich&amp;wort pro Zeile:</translation>
    </message>
    <message>
        <source>Examples: WordPress Speed</source>
        <translation>Beispiele: WordPress-Geschwindigkeit</translation>
    </message>
    <message>
        <source>WordPress Security</source>
        <translation>WordPress-Sicherheit</translation>
    </message>
    <message>
        <source>Button &amp;Title Format:</source>
        <translation>&amp;Format der Beschriftung:</translation>
    </message>
    <message>
        <source>Discussions: #KEYWORD#</source>
        <translation>Diskussionen: #KEYWORD#</translation>
    </message>
    <message>
        <source>Add &quot;Related &amp;Video Resources&quot; to the Cheatsheet</source>
        <translation>Ressourcen „Verwandte &amp;Videos“ zum Spickzettel hinzufügen</translation>
    </message>
    <message>
        <source>Enter one Key&amp;word Per Line:</source>
        <translation>Ein Stichwort &amp;pro Zeile:</translation>
    </message>
    <message>
        <source>Examples: WordPress Optimization</source>
        <translation>Beispiele: WordPress-Optimierung</translation>
    </message>
    <message>
        <source>Button Tit&amp;le Format:</source>
        <translation>Forma&amp;t der Beschriftung:</translation>
    </message>
    <message>
        <source>Video Tutorials: #KEYWORD#</source>
        <translation>Video-Anleitungen: #KEYWORD#</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>&amp;Reihenfolge:</translation>
    </message>
    <message>
        <source>&amp;Add Resources</source>
        <translation>Ressourcen &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>BuildWords</name>
    <message>
        <source>Please add some resources first.</source>
        <translation>Bitte fügen Sie zuerst Ressourcen hinzu.</translation>
    </message>
    <message>
        <source>Please enter a headline first.</source>
        <translation>Bitte geben Sie zuerst eine Überschrift ein.</translation>
    </message>
    <message>
        <source>Please enter a name for your pdf file first.</source>
        <translation>Bitte geben Sie zuerst einen Namen für Ihre PDF-Datei ein.</translation>
    </message>
    <message>
        <source>Invalid File Name</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>Too Many Resources</source>
        <translation>Zu viele Ressourcen</translation>
    </message>
    <message>
        <source>This sheet has more resources than Orvanta prints: at most %L1. Please split it into smaller sheets.</source>
        <translation>Dieser Spickzettel hat mehr Ressourcen, als Orvanta druckt: höchstens %L1. Bitte teilen Sie ihn in kleinere Spickzettel auf.</translation>
    </message>
    <message>
        <source>PDF Not Created</source>
        <translation>PDF nicht erstellt</translation>
    </message>
    <message>
        <source>The preview could not make its temporary folder: %1.</source>
        <translation>Die Vorschau konnte ihren temporären Ordner nicht anlegen: %1.</translation>
    </message>
    <message>
        <source>Orvanta cannot write into its folder:
%1

PDFs cannot be created and the disclaimer cannot be saved there. Make this folder writable for you, or free some space on its disk.</source>
        <translation>Orvanta kann nicht in seinen Ordner schreiben:
%1

Dort können weder PDFs erstellt noch der Haftungsausschluss gespeichert werden. Machen Sie diesen Ordner für sich beschreibbar, oder schaffen Sie Platz auf seinem Datenträger.</translation>
    </message>
    <message>
        <source>The file name cannot contain &quot;/&quot;. Please choose another name.</source>
        <translation>Der Dateiname darf kein „/“ enthalten. Bitte wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a file name. Please choose another name.</source>
        <translation>„%1“ kann nicht als Dateiname verwendet werden. Bitte wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>The file name is too long. Please choose a shorter name.</source>
        <translation>Der Dateiname ist zu lang. Bitte wählen Sie einen kürzeren Namen.</translation>
    </message>
    <message>
        <source>The PDF converter wkhtmltopdf was not found.

Install it with &quot;sudo apt install wkhtmltopdf&quot;, or place the program in %1, then press Create again.</source>
        <translation>Der PDF-Konverter wkhtmltopdf wurde nicht gefunden.

Installieren Sie ihn mit „sudo apt install wkhtmltopdf“ oder legen Sie das Programm in %1 ab, und klicken Sie dann erneut auf Erstellen.</translation>
    </message>
    <message>
        <source>The PDF engine Chromium was not found.

Install it with &quot;sudo apt install chromium&quot;, or name the browser program in the preferences, then press Create again.</source>
        <translation>Die PDF-Engine Chromium wurde nicht gefunden.

Installieren Sie sie mit „sudo apt install chromium“ oder geben Sie das Browserprogramm in den Einstellungen an, und klicken Sie dann erneut auf Erstellen.</translation>
    </message>
    <message>
        <source>No PDF engine was found: neither wkhtmltopdf nor Chromium.

Install one with &quot;sudo apt install wkhtmltopdf&quot; or &quot;sudo apt install chromium&quot;, then press Create again.</source>
        <translation>Es wurde keine PDF-Engine gefunden, weder wkhtmltopdf noch Chromium.

Installieren Sie eine mit „sudo apt install wkhtmltopdf“ oder „sudo apt install chromium“, und klicken Sie dann erneut auf Erstellen.</translation>
    </message>
    <message>
        <source>The PDF converter could not be started: %1.</source>
        <translation>Der PDF-Konverter konnte nicht gestartet werden: %1.</translation>
    </message>
    <message>
        <source>The PDF converter stopped unexpectedly, so %1 was not made.</source>
        <translation>Der PDF-Konverter wurde unerwartet beendet, daher wurde %1 nicht erstellt.</translation>
    </message>
    <message>
        <source>The PDF converter finished (exit code %1) without writing %2.</source>
        <translation>Der PDF-Konverter wurde beendet (Exit-Code %1), ohne %2 zu schreiben.</translation>
    </message>
    <message>
        <source>The PDF converter was still working after %1 seconds and was stopped, so %2 was not made. The page took too long to print: it may be too large or too complex.</source>
        <translation>Der PDF-Konverter arbeitete nach %1 Sekunden noch und wurde angehalten, daher wurde %2 nicht erstellt. Das Drucken der Seite dauerte zu lange: Sie ist vielleicht zu groß oder zu komplex.</translation>
    </message>
    <message>
        <source>The PDF was made but could not be saved as %1: %2.</source>
        <translation>Das PDF wurde erstellt, konnte aber nicht als %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>The page needed more memory than Orvanta allows (%1 MB) and was stopped, so %2 was not made. It may be too large or too complex.</source>
        <translation>Die Seite brauchte mehr Speicher, als Orvanta erlaubt (%1 MB), und wurde angehalten, daher wurde %2 nicht erstellt. Sie ist vielleicht zu groß oder zu komplex.</translation>
    </message>
    <message>
        <source>

The earlier file of that name was kept.</source>
        <translation>

Die bisherige Datei dieses Namens wurde behalten.</translation>
    </message>
    <message>
        <source>

The converter reported:
</source>
        <translation>

Der Konverter meldete:
</translation>
    </message>
    <message>
        <source>could not create a file in %1</source>
        <translation>in %1 konnte keine Datei angelegt werden</translation>
    </message>
    <message>
        <source>could not make a private folder for the profile in %1</source>
        <translation>in %1 konnte kein privater Ordner für das Profil angelegt werden</translation>
    </message>
    <message>
        <source>could not make a profile folder (%1)</source>
        <translation>der Profilordner konnte nicht angelegt werden (%1)</translation>
    </message>
    <message>
        <source>could not make a pipe (%1)</source>
        <translation>es konnte keine Pipe angelegt werden (%1)</translation>
    </message>
    <message>
        <source>the browser stopped unexpectedly</source>
        <translation>der Browser wurde unerwartet beendet</translation>
    </message>
    <message>
        <source>the browser exited with code %1</source>
        <translation>der Browser wurde mit Code %1 beendet</translation>
    </message>
    <message>
        <source>the browser was stopped</source>
        <translation>der Browser wurde angehalten</translation>
    </message>
    <message>
        <source>the browser is not running</source>
        <translation>der Browser läuft nicht</translation>
    </message>
    <message>
        <source>the browser closed its pipe</source>
        <translation>der Browser hat seine Pipe geschlossen</translation>
    </message>
    <message>
        <source>the page&apos;s renderer crashed</source>
        <translation>der Renderer der Seite ist abgestürzt</translation>
    </message>
    <message>
        <source>the browser used %1 MB</source>
        <translation>der Browser belegte %1 MB</translation>
    </message>
    <message>
        <source>The look “%1” is not installed; printed with Classic.</source>
        <translation>Der Stil „%1“ ist nicht installiert; mit Classic gedruckt.</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>No installed font has: %1 Install %2.</source>
        <translation>Keine installierte Schrift enthält: %1 Installieren Sie %2.</translation>
    </message>
    <message>
        <source>Printed as text, not as links, since they are not web, mail or phone addresses: %1</source>
        <translation>Als Text statt als Links gedruckt, da es keine Web-, E-Mail- oder Telefonadressen sind: %1</translation>
    </message>
    <message>
        <source>the preview</source>
        <translation>die Vorschau</translation>
    </message>
    <message>
        <source>The sheet does not fit on one page even at %1%: it takes %2 pages.</source>
        <translation>Der Spickzettel passt auch bei %1 % nicht auf eine Seite: Er braucht %2 Seiten.</translation>
    </message>
    <message>
        <source>The sheet does not fit on %1 pages even at %2%: it takes %3 pages.</source>
        <translation>Der Spickzettel passt auch bei %2 % nicht auf %1 Seiten: Er braucht %3 Seiten.</translation>
    </message>
    <message>
        <source>not tagged for screen readers</source>
        <translation>nicht für Screenreader ausgezeichnet</translation>
    </message>
    <message>
        <source>This PDF is not tagged for screen readers: wkhtmltopdf cannot do that. Chromium can; choose it in Edit &gt; Preferences.</source>
        <translation>Dieses PDF ist nicht für Screenreader ausgezeichnet: wkhtmltopdf kann das nicht. Chromium kann es; wählen Sie es unter Bearbeiten &gt; Einstellungen.</translation>
    </message>
</context>
<context>
    <name>CommandLineWords</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>built %1</source>
        <translation>%1 erstellt</translation>
    </message>
    <message>
        <source>%1: warning: %2</source>
        <translation>%1: Warnung: %2</translation>
    </message>
    <message>
        <source>orvanta: %1</source>
        <translation>orvanta: %1</translation>
    </message>
    <message>
        <source>Try &quot;orvanta --help&quot;.</source>
        <translation>Mehr dazu: „orvanta --help“.</translation>
    </message>
    <message>
        <source>name at least one sheet to check</source>
        <translation>nennen Sie mindestens einen Spickzettel zum Prüfen</translation>
    </message>
    <message>
        <source>--jobs takes a whole number from 1 on</source>
        <translation>--jobs erwartet eine ganze Zahl ab 1</translation>
    </message>
    <message>
        <source>--timeout takes a number of seconds, more than 0</source>
        <translation>--timeout nimmt eine Zahl von Sekunden, größer als 0</translation>
    </message>
    <message>
        <source>%1: %2: %3</source>
        <translation>%1: %2: %3</translation>
    </message>
    <message>
        <source>refused: %1 sheets would write %2 (%3)</source>
        <translation>abgelehnt: %1 Spickzettel würden %2 schreiben (%3)</translation>
    </message>
    <message>
        <source>orvanta: &quot;%1&quot; is neither a command nor a sheet file.</source>
        <translation>orvanta: „%1“ ist weder ein Befehl noch eine Spickzettel-Datei.</translation>
    </message>
    <message>
        <source>orvanta: there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set).
Without one, &quot;orvanta build SHEET...&quot; makes the PDFs of sheets and &quot;orvanta check SHEET...&quot; checks their links; &quot;orvanta --help&quot; says more.</source>
        <translation>orvanta: Es gibt keinen Bildschirm, auf dem das Fenster erscheinen kann (DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt).
Ohne einen erstellt „orvanta build SPICKZETTEL...“ die PDFs von Spickzetteln und „orvanta check SPICKZETTEL...“ prüft ihre Links; „orvanta --help“ sagt mehr.</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>unbekannter Befehl</translation>
    </message>
    <message>
        <source>name at least one sheet to build</source>
        <translation>nennen Sie mindestens einen Spickzettel zum Erstellen</translation>
    </message>
    <message>
        <source>-o and --output-dir cannot go together</source>
        <translation>-o und --output-dir schließen einander aus</translation>
    </message>
    <message>
        <source>-o names the PDF of one sheet; use --output-dir for several</source>
        <translation>-o nennt das PDF eines Spickzettels; für mehrere nehmen Sie --output-dir</translation>
    </message>
    <message>
        <source>--engine takes auto, wkhtmltopdf or chromium</source>
        <translation>--engine erwartet auto, wkhtmltopdf oder chromium</translation>
    </message>
    <message>
        <source>-o names the sheet itself; the PDF would replace it</source>
        <translation>-o nennt den Spickzettel selbst; das PDF würde ihn ersetzen</translation>
    </message>
    <message>
        <source>could not make the folder %1</source>
        <translation>der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>Usage: orvanta build SHEET.orvanta... [-o OUT.pdf | --output-dir DIR] [--jobs N] [--engine E] [--cover]
       orvanta check SHEET.orvanta... [--jobs N] [--timeout SECONDS]
       orvanta [SHEET.orvanta]     opens the window, with the sheet if one is named

Builds the PDF of each sheet as Create does, without a window: the page goes into the installation&apos;s bin
folder and the PDF into bin/output, both named after the sheet&apos;s file name (or the sheet file&apos;s own name).
When the installation folder is not yours to write, both go into $XDG_DATA_HOME/orvanta (by default
~/.local/share/orvanta) instead, whose templates and looks are also read before the installation&apos;s.

Options:
  -o, --output FILE       the PDF of the one sheet given
  --output-dir DIR        every PDF into DIR, made if missing
  -j, --jobs N            sheets built at once (default: the number of cores)
  --engine E              auto, chromium or wkhtmltopdf (default: auto, which takes Chromium where it is
                          installed and wkhtmltopdf where it is not, or a wkhtmltopdf put in bin)
  --cover                 also page 1 of each PDF as a picture 1200 pixels wide, NAME.png beside NAME.pdf
  -h, --help              this text
  -v, --version           the version

Prints &quot;built PDF&quot; for each sheet built and &quot;SHEET: reason&quot; on stderr for each that failed.
Exit status: 0 when all were built, 1 when any failed, 2 for a usage error.

check asks the server of each web link of the sheets (6 at once, 2 per host; 10 seconds each unless
--timeout says otherwise) and prints &quot;SHEET: URL: what happened&quot; for each link that is not fine, then a
summary. Exit status: 0 when every link is fine or not a web link, 1 when any moved, is broken or
unreachable, or there was no network, 2 for a usage error.
</source>
        <translation>Aufruf: orvanta build SPICKZETTEL.orvanta... [-o AUS.pdf | --output-dir ORDNER] [--jobs N] [--engine E] [--cover]
        orvanta check SPICKZETTEL.orvanta... [--jobs N] [--timeout SEKUNDEN]
        orvanta [SPICKZETTEL.orvanta]   öffnet das Fenster, mit dem Spickzettel, falls einer genannt ist

Erstellt das PDF jedes Spickzettels wie Erstellen, ohne Fenster: die Seite kommt in den Ordner bin der
Installation und das PDF nach bin/output, beide benannt nach dem Dateinamen des Spickzettels (oder dem
Namen der Spickzettel-Datei).
Darf der Benutzer den Ordner der Installation nicht beschreiben, kommen beide stattdessen nach
$XDG_DATA_HOME/orvanta (ohne diese Variable ~/.local/share/orvanta), dessen Vorlagen und Looks auch vor denen
der Installation gelesen werden.

Optionen:
  -o, --output DATEI      das PDF des einen angegebenen Spickzettels
  --output-dir ORDNER     jedes PDF in ORDNER, der bei Bedarf angelegt wird
  -j, --jobs N            gleichzeitig erstellte Spickzettel (Standard: die Anzahl der Kerne)
  --engine E              auto, chromium oder wkhtmltopdf (Standard: auto, das Chromium nimmt, wenn es
                          installiert ist, sonst wkhtmltopdf, oder ein wkhtmltopdf in bin)
  --cover                 zusätzlich Seite 1 jedes PDFs als Bild, 1200 Pixel breit, NAME.png neben NAME.pdf
  -h, --help              dieser Text
  -v, --version           die Version

Gibt für jeden erstellten Spickzettel „PDF erstellt“ aus und für jeden fehlgeschlagenen „SPICKZETTEL: Grund“
auf stderr. Exit-Status: 0, wenn alle erstellt wurden, 1, wenn einer fehlschlug, 2 bei falschem Aufruf.

check fragt den Server jedes Web-Links der Spickzettel (6 gleichzeitig, 2 je Host; je 10 Sekunden, sofern
--timeout nichts anderes sagt) und gibt für jeden Link, der nicht in Ordnung ist, „SPICKZETTEL: URL: was
geschah“ aus, danach eine Zusammenfassung. Exit-Status: 0, wenn jeder Link in Ordnung oder kein Web-Link
ist, 1, wenn einer verschoben, defekt oder nicht erreichbar ist oder kein Netzwerk da war, 2 bei falschem
Aufruf.
</translation>
    </message>
</context>
<context>
    <name>ContentPage</name>
    <message>
        <source>  Cheatsheet Content </source>
        <translation>  Inhalt des Spickzettels </translation>
    </message>
    <message>
        <source>Header </source>
        <translation>Kopfzeile </translation>
    </message>
    <message>
        <source>&amp;Headline:</source>
        <translation>Übersc&amp;hrift:</translation>
    </message>
    <message>
        <source>Su&amp;bheadline:</source>
        <translation>&amp;Unterzeile:</translation>
    </message>
    <message>
        <source>Footer  </source>
        <translation>Fußzeile  </translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>Add &amp;Disclaimer</source>
        <translation>Ha&amp;ftungsausschluss hinzufügen</translation>
    </message>
    <message>
        <source>Link: opens the disclaimer editor</source>
        <translation>Link: öffnet den Editor für den Haftungsausschluss</translation>
    </message>
    <message>
        <source>Disclaimer Content</source>
        <translation>Text des Haftungsausschlusses</translation>
    </message>
    <message>
        <source>Cheat Sheet Resources </source>
        <translation>Ressourcen des Spickzettels </translation>
    </message>
    <message>
        <source>Link Te&amp;xt:</source>
        <translation>Linkte&amp;xt:</translation>
    </message>
    <message>
        <source>Lin&amp;k Url:</source>
        <translation>Lin&amp;k-URL:</translation>
    </message>
    <message>
        <source>&amp;Add Resource </source>
        <translation>Ressource hin&amp;zufügen </translation>
    </message>
    <message>
        <source>Reso&amp;urces:</source>
        <translation>Ress&amp;ourcen:</translation>
    </message>
    <message>
        <source>Link: opens the automatic resources dialog</source>
        <translation>Link: öffnet den Dialog für automatische Ressourcen</translation>
    </message>
    <message>
        <source>Add Resources Automatically</source>
        <translation>Ressourcen automatisch hinzufügen</translation>
    </message>
    <message>
        <source>Remove &amp;Selected Resource</source>
        <translation>Ausge&amp;wählte Ressource entfernen</translation>
    </message>
    <message>
        <source>Remove A&amp;ll the Resources</source>
        <translation>A&amp;lle Ressourcen entfernen</translation>
    </message>
    <message>
        <source>Add Text Belo&amp;w Each Resource:</source>
        <translation>Text unter &amp;jeder Ressource:</translation>
    </message>
</context>
<context>
    <name>CreatePage</name>
    <message>
        <source>  Create   </source>
        <translation>  Erstellen   </translation>
    </message>
    <message>
        <source> Filename  </source>
        <translation> Dateiname  </translation>
    </message>
    <message>
        <source>File&amp;name:</source>
        <translation>Datei&amp;name:</translation>
    </message>
    <message>
        <source>Crea&amp;te</source>
        <translation>&amp;Erstellen</translation>
    </message>
    <message>
        <source>Open &amp;Output Folder</source>
        <translation>Ausgabe&amp;ordner öffnen</translation>
    </message>
</context>
<context>
    <name>DesignPanel</name>
    <message>
        <source> Design  </source>
        <translation> Gestaltung  </translation>
    </message>
    <message>
        <source>L&amp;ook:</source>
        <translation>&amp;Stil:</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Papier:</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>US-Letter</translation>
    </message>
    <message>
        <source>La&amp;nguage:</source>
        <translation>Spra&amp;che:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The language of the sheet, for screen readers and hyphenation</source>
        <translation>Die Sprache des Blatts, für Screenreader und Silbentrennung</translation>
    </message>
    <message>
        <source>F&amp;it on:</source>
        <translation>E&amp;inpassen auf:</translation>
    </message>
    <message>
        <source>Fit on</source>
        <translation>Einpassen auf</translation>
    </message>
    <message>
        <source>any number of pages</source>
        <translation>beliebig viele Seiten</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message>
        <source>2 pages</source>
        <translation>2 Seiten</translation>
    </message>
    <message>
        <source>&amp;Colour…</source>
        <translation>Farb&amp;e…</translation>
    </message>
    <message>
        <source>Lo&amp;go…</source>
        <translation>Lo&amp;go…</translation>
    </message>
    <message>
        <source>Logo &amp;text:</source>
        <translation>Logo&amp;text:</translation>
    </message>
    <message>
        <source>Logo description</source>
        <translation>Logobeschreibung</translation>
    </message>
    <message>
        <source>What the logo shows, for screen readers. Empty: the footer&apos;s text.</source>
        <translation>Was das Logo zeigt, für Screenreader. Leer: der Text der Fußzeile.</translation>
    </message>
    <message>
        <source>Remove Logo</source>
        <translation>Logo entfernen</translation>
    </message>
    <message>
        <source> Links in the PDF  </source>
        <translation> Links im PDF  </translation>
    </message>
    <message>
        <source>&amp;QR code beside each link</source>
        <translation>&amp;QR-Code neben jedem Link</translation>
    </message>
    <message>
        <source>Click tracking: when set, every web link gets these as utm_source, utm_medium and utm_campaign.</source>
        <translation>Klick-Tracking: Wenn ausgefüllt, erhält jeder Web-Link diese Werte als utm_source, utm_medium und utm_campaign.</translation>
    </message>
    <message>
        <source>S&amp;ource:</source>
        <translation>Q&amp;uelle:</translation>
    </message>
    <message>
        <source>&amp;Medium:</source>
        <translation>&amp;Medium:</translation>
    </message>
    <message>
        <source>Cam&amp;paign:</source>
        <translation>&amp;Kampagne:</translation>
    </message>
</context>
<context>
    <name>EditResourceDialog</name>
    <message>
        <source>Edit Resource</source>
        <translation>Ressource bearbeiten</translation>
    </message>
    <message>
        <source>Link Te&amp;xt:</source>
        <translation>Linkte&amp;xt:</translation>
    </message>
    <message>
        <source>Lin&amp;k Url:</source>
        <translation>Lin&amp;k-URL:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Printed under the button, in place of the note</source>
        <translation>Wird unter der Schaltfläche gedruckt, anstelle des Hinweises</translation>
    </message>
</context>
<context>
    <name>FileWords</name>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>it holds more than %1 MB</source>
        <translation>sie enthält mehr als %1 MB</translation>
    </message>
    <message>
        <source>it did not end within %1 seconds</source>
        <translation>sie endete nicht innerhalb von %1 Sekunden</translation>
    </message>
    <message>
        <source>no program is writing to it</source>
        <translation>kein Programm schreibt hinein</translation>
    </message>
    <message>
        <source>the file is not UTF-8 text; save it as UTF-8 and try again</source>
        <translation>die Datei ist kein UTF-8-Text; speichern Sie sie als UTF-8 und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>it is too large for a sheet (%1 MB; sheets open up to %2 MB)</source>
        <translation>sie ist zu groß für einen Spickzettel (%1 MB; Spickzettel öffnen bis %2 MB)</translation>
    </message>
    <message>
        <source>it is not a sheet file (%1 at byte %2)</source>
        <translation>es ist keine Spickzettel-Datei (%1 bei Byte %2)</translation>
    </message>
    <message>
        <source>it is not a sheet file</source>
        <translation>es ist keine Spickzettel-Datei</translation>
    </message>
    <message>
        <source>the folder could not be made</source>
        <translation>der Ordner konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>the lock is taken</source>
        <translation>die Sperre ist vergeben</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>%1 konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Could not read %1: %2.</source>
        <translation>%1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not save %1: %2.</source>
        <translation>%1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Could not make %1: %2.</source>
        <translation>%1 konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Could not lock %1: %2.</source>
        <translation>%1 konnte nicht gesperrt werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be text</source>
        <translation>„%1“ muss Text sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false</source>
        <translation>„%1“ muss true oder false sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of resources</source>
        <translation>„%1“ muss eine Liste von Ressourcen sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of resources, each &quot;heading&quot; with a title</source>
        <translation>„%1“ muss eine Liste von Ressourcen sein, jede „heading“ mit einem Titel</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of resources, each with a &quot;text&quot; and a &quot;url&quot;</source>
        <translation>„%1“ muss eine Liste von Ressourcen sein, jede mit „text“ und „url“</translation>
    </message>
    <message>
        <source>it is not an Orvanta sheet (it has no &quot;format&quot;: &quot;%1&quot;)</source>
        <translation>es ist kein Orvanta-Spickzettel (es fehlt &quot;format&quot;: &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>&quot;version&quot; must be a whole number from 1 on</source>
        <translation>„version“ muss eine ganze Zahl ab 1 sein</translation>
    </message>
    <message>
        <source>it was saved by a newer version of Orvanta (sheet format %1; this version reads format %2). Please update Orvanta to open it</source>
        <translation>er wurde mit einer neueren Orvanta-Version gespeichert (Format %1; diese Version liest Format %2). Bitte aktualisieren Sie Orvanta, um ihn zu öffnen</translation>
    </message>
    <message>
        <source>&quot;accent&quot; must be a colour written #RRGGBB</source>
        <translation>„accent“ muss eine Farbe in der Form #RRGGBB sein</translation>
    </message>
    <message>
        <source>&quot;pageSize&quot; must be &quot;A4&quot; or &quot;Letter&quot;</source>
        <translation>„pageSize“ muss &quot;A4&quot; oder &quot;Letter&quot; sein</translation>
    </message>
    <message>
        <source>&quot;logo&quot; must be a PNG, JPEG or SVG image as a data: URI (data:image/png;base64,…)</source>
        <translation>„logo“ muss ein PNG-, JPEG- oder SVG-Bild als data:-URI sein (data:image/png;base64,…)</translation>
    </message>
    <message>
        <source>&quot;logo&quot; is over 1 MB</source>
        <translation>„logo“ ist größer als 1 MB</translation>
    </message>
    <message>
        <source>&quot;logo&quot; is an SVG with a DOCTYPE or ENTITY, which a logo may not hold</source>
        <translation>„logo“ ist ein SVG mit DOCTYPE oder ENTITY, was ein Logo nicht enthalten darf</translation>
    </message>
    <message>
        <source>&quot;logo&quot; does not hold the image its data: URI names</source>
        <translation>„logo“ enthält nicht das Bild, das seine data:-URI nennt</translation>
    </message>
    <message>
        <source>It is an SVG with a DOCTYPE or ENTITY, which a logo may not hold.</source>
        <translation>Es ist ein SVG mit DOCTYPE oder ENTITY, was ein Logo nicht enthalten darf.</translation>
    </message>
    <message>
        <source>It is not a PNG, JPEG or SVG image.</source>
        <translation>Es ist kein PNG-, JPEG- oder SVG-Bild.</translation>
    </message>
    <message>
        <source>It is over 1 MB; a logo can be at most 1 MB.</source>
        <translation>Es ist größer als 1 MB; ein Logo darf höchstens 1 MB groß sein.</translation>
    </message>
    <message>
        <source>The cover image could not be made: %1 is not a PDF that can be read.</source>
        <translation>Das Titelbild konnte nicht erstellt werden: %1 ist kein lesbares PDF.</translation>
    </message>
    <message>
        <source>Could not save the cover image %1: %2.</source>
        <translation>Das Titelbild %1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a number of pages from 0 to %2</source>
        <translation>„%1“ muss eine Seitenzahl von 0 bis %2 sein</translation>
    </message>
    <message>
        <source>&quot;language&quot; must be a language tag such as &quot;en&quot;, &quot;de&quot; or &quot;pt-BR&quot;</source>
        <translation>&quot;language&quot; muss ein Sprachkürzel wie &quot;en&quot;, &quot;de&quot; oder &quot;pt-BR&quot; sein</translation>
    </message>
</context>
<context>
    <name>Interaction</name>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 ist bereits vorhanden. Ersetzen?</translation>
    </message>
</context>
<context>
    <name>LinkWords</name>
    <message>
        <source>the server refused the connection</source>
        <translation>der Server hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>no such host</source>
        <translation>unbekannter Host</translation>
    </message>
    <message>
        <source>no route to the host</source>
        <translation>keine Route zum Host</translation>
    </message>
    <message>
        <source>its secure connection is not trustworthy</source>
        <translation>seine sichere Verbindung ist nicht vertrauenswürdig</translation>
    </message>
    <message>
        <source>more than %1 redirects</source>
        <translation>mehr als %1 Weiterleitungen</translation>
    </message>
    <message>
        <source>moved to a non-web address</source>
        <translation>auf eine Adresse außerhalb des Webs verschoben</translation>
    </message>
    <message>
        <source>there is no network</source>
        <translation>es gibt kein Netzwerk</translation>
    </message>
    <message>
        <source>the connection failed</source>
        <translation>die Verbindung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>waited %1 s</source>
        <translation>%1 s gewartet</translation>
    </message>
    <message>
        <source>Fine (%1)</source>
        <translation>In Ordnung (%1)</translation>
    </message>
    <message>
        <source>Moved (%1): now %2</source>
        <translation>Verschoben (%1): jetzt %2</translation>
    </message>
    <message>
        <source>Broken (%1) at %2</source>
        <translation>Defekt (%1) bei %2</translation>
    </message>
    <message>
        <source>Unreachable: %1 (%2)</source>
        <translation>Nicht erreichbar: %1 (%2)</translation>
    </message>
    <message>
        <source>Unreachable: %1</source>
        <translation>Nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>Not checked: there is no network</source>
        <translation>Nicht geprüft: es gibt kein Netzwerk</translation>
    </message>
    <message>
        <source>Not checked: not a web link</source>
        <translation>Nicht geprüft: kein Web-Link</translation>
    </message>
    <message>
        <source>No network: the links could not be checked</source>
        <translation>Kein Netzwerk: Die Links konnten nicht geprüft werden</translation>
    </message>
    <message>
        <source>%1 fine</source>
        <translation>%1 in Ordnung</translation>
    </message>
    <message>
        <source>%1 moved</source>
        <translation>%1 verschoben</translation>
    </message>
    <message>
        <source>%1 broken</source>
        <translation>%1 defekt</translation>
    </message>
    <message>
        <source>%1 unreachable</source>
        <translation>%1 nicht erreichbar</translation>
    </message>
    <message>
        <source>%1 not checked</source>
        <translation>%1 nicht geprüft</translation>
    </message>
    <message>
        <source>No links</source>
        <translation>Keine Links</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Please Wait</source>
        <translation>Bitte warten</translation>
    </message>
    <message>
        <source>Cheatsheet &amp;Content</source>
        <translation>Spickzettel-&amp;Inhalt</translation>
    </message>
    <message>
        <source>C&amp;reate Cheatsheet</source>
        <translation>Spickzettel e&amp;rstellen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>&amp;Live Preview</source>
        <translation>&amp;Live-Vorschau</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Fit to Width</source>
        <translation>An &amp;Breite anpassen</translation>
    </message>
    <message>
        <source>&amp;Export Cover Image…</source>
        <translation>Titelbild e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Page 1 of the sheet&apos;s PDF as a PNG picture 1200 pixels wide</source>
        <translation>Seite 1 des PDFs als PNG-Bild, 1200 Pixel breit</translation>
    </message>
    <message>
        <source>&amp;Import Resources…</source>
        <translation>Ressourcen &amp;importieren…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Cheatsheet Example:</source>
        <translation>Beispiel-Spickzettel:</translation>
    </message>
    <message>
        <source>Example of a finished cheat sheet</source>
        <translation>Beispiel eines fertigen Spickzettels</translation>
    </message>
    <message>
        <source>Preview of the PDF</source>
        <translation>Vorschau des PDFs</translation>
    </message>
    <message>
        <source>E&amp;xport PDF…</source>
        <translation>PDF e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>PDF &amp;engine:</source>
        <translation>PDF-&amp;Engine:</translation>
    </message>
    <message>
        <source>&amp;Browser program:</source>
        <translation>&amp;Browserprogramm:</translation>
    </message>
    <message>
        <source>Browser program</source>
        <translation>Browserprogramm</translation>
    </message>
    <message>
        <source>The browser program for the Chromium engine; empty for the chromium found on PATH</source>
        <translation>Das Browserprogramm für die Chromium-Engine; leer für das chromium aus dem PATH</translation>
    </message>
    <message>
        <source>chromium from PATH</source>
        <translation>chromium aus dem PATH</translation>
    </message>
    <message>
        <source>Browse for the browser program</source>
        <translation>Browserprogramm auswählen</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>Chromium: faster preview, accessible PDF (recommended).
wkhtmltopdf: slower preview, PDF not tagged for screen readers.
Automatic: Chromium where it is installed, otherwise wkhtmltopdf.</source>
        <translation>Chromium: schnellere Vorschau, barrierefreies PDF (empfohlen).
wkhtmltopdf: langsamere Vorschau, PDF nicht für Screenreader ausgezeichnet.
Automatisch: Chromium, wo es installiert ist, sonst wkhtmltopdf.</translation>
    </message>
</context>
<context>
    <name>TermsDialog</name>
    <message>
        <source>Terms and Conditions</source>
        <translation>Nutzungsbedingungen</translation>
    </message>
    <message>
        <source>&amp;Terms and Conditions:</source>
        <translation>&amp;Nutzungsbedingungen:</translation>
    </message>
    <message>
        <source>Load Default TOS</source>
        <translation>Standard-Nutzungsbedingungen laden</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>Titles</name>
    <message>
        <source>Missing Info</source>
        <translation>Angaben fehlen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cannot Create</source>
        <translation>Erstellen nicht möglich</translation>
    </message>
    <message>
        <source>Folder Not Writable</source>
        <translation>Ordner nicht beschreibbar</translation>
    </message>
</context>
<context>
    <name>orvanta::AutoResourcesDialog</name>
    <message>
        <source>Show Related Discussions First</source>
        <translation>Verwandte Diskussionen zuerst</translation>
    </message>
    <message>
        <source>Show Related Videos First</source>
        <translation>Verwandte Videos zuerst</translation>
    </message>
    <message>
        <source>Please add some keywords to the &apos;Related Discussions Resources&apos;</source>
        <translation>Bitte geben Sie Stichwörter für „Verwandte Diskussionen“ ein.</translation>
    </message>
    <message>
        <source>Please add some keywords to the &apos;Related Video Resources&apos;</source>
        <translation>Bitte geben Sie Stichwörter für „Verwandte Videos“ ein.</translation>
    </message>
    <message>
        <source>Please select one or more options.</source>
        <translation>Bitte wählen Sie mindestens eine Option.</translation>
    </message>
    <message>
        <source>Done! You can close this window.</source>
        <translation>Fertig! Sie können dieses Fenster schließen.</translation>
    </message>
</context>
<context>
    <name>orvanta::ContentPage</name>
    <message>
        <source>Resources</source>
        <translation>Ressourcen</translation>
    </message>
    <message>
        <source>Add Text Below Each Resource</source>
        <translation>Text unter jeder Ressource</translation>
    </message>
    <message>
        <source>Please complete all the fields.</source>
        <translation>Bitte füllen Sie alle Felder aus.</translation>
    </message>
</context>
<context>
    <name>orvanta::DesignBar</name>
    <message>
        <source>Look</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Remove Logo</source>
        <translation>Logo entfernen</translation>
    </message>
    <message>
        <source>%1 (not installed)</source>
        <translation>%1 (nicht installiert)</translation>
    </message>
    <message>
        <source>Accent Colour</source>
        <translation>Akzentfarbe</translation>
    </message>
    <message>
        <source>Choose a Logo</source>
        <translation>Logo auswählen</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>%1 cannot be the logo.

%2</source>
        <translation>%1 kann nicht als Logo verwendet werden.

%2</translation>
    </message>
    <message>
        <source>Button text is hard to read on this colour</source>
        <translation>Schaltflächentext ist auf dieser Farbe schwer lesbar</translation>
    </message>
    <message>
        <source>Fit on Pages</source>
        <translation>Auf Seiten einpassen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Standard: %1</translation>
    </message>
</context>
<context>
    <name>orvanta::EditResourceDialog</name>
    <message>
        <source>Please complete all the fields.</source>
        <translation>Bitte füllen Sie alle Felder aus.</translation>
    </message>
</context>
<context>
    <name>orvanta::LinkCheck</name>
    <message>
        <source>Check &amp;Links</source>
        <translation>Links &amp;prüfen</translation>
    </message>
    <message>
        <source>Use &amp;New Address</source>
        <translation>&amp;Neue Adresse übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel the link check</source>
        <translation>Linkprüfung abbrechen</translation>
    </message>
    <message>
        <source>Link check cancelled.</source>
        <translation>Linkprüfung abgebrochen.</translation>
    </message>
    <message>
        <source>Checking links: %1 of %2</source>
        <translation>Links werden geprüft: %1 von %2</translation>
    </message>
    <message>
        <source>Check Links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Use New Address</source>
        <translation>Neue Adresse übernehmen</translation>
    </message>
</context>
<context>
    <name>orvanta::MainWindow</name>
    <message>
        <source>Cover image saved: %1</source>
        <translation>Titelbild gespeichert: %1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Pre&amp;ferences…</source>
        <translation>Ein&amp;stellungen…</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] – %2</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>Ready. Do you want to open the output folder?</source>
        <translation>Fertig. Möchten Sie den Ausgabeordner öffnen?</translation>
    </message>
    <message>
        <source>Open Output Folder</source>
        <translation>Ausgabeordner öffnen</translation>
    </message>
    <message>
        <source>The file manager could not be started. Your PDF files are in:
%1</source>
        <translation>Der Dateimanager konnte nicht gestartet werden. Ihre PDF-Dateien liegen in:
%1</translation>
    </message>
    <message>
        <source>PDF saved: %1</source>
        <translation>PDF gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>orvanta::PreferencesDialog</name>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Browser Program</source>
        <translation>Browserprogramm</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.

Choose the browser&apos;s executable file, or leave the box empty to use the chromium found on PATH.</source>
        <translation>%1 ist kein ausführbares Programm.

Wählen Sie die ausführbare Datei des Browsers, oder lassen Sie das Feld leer, um das chromium aus dem PATH zu verwenden.</translation>
    </message>
    <message>
        <source>Chromium (recommended)</source>
        <translation>Chromium (empfohlen)</translation>
    </message>
</context>
<context>
    <name>orvanta::PreviewPanel</name>
    <message>
        <source>%1 · updating…</source>
        <translation>%1 · wird aktualisiert…</translation>
    </message>
    <message>
        <source>Making the preview…</source>
        <translation>Vorschau wird erstellt…</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Vorschau:</translation>
    </message>
    <message>
        <source> · </source>
        <translation> · </translation>
    </message>
    <message>
        <source>Cheatsheet Example:</source>
        <translation>Beispiel-Spickzettel:</translation>
    </message>
    <message>
        <source>The preview shows once the sheet has a headline and a resource.</source>
        <translation>Die Vorschau erscheint, sobald der Spickzettel eine Überschrift und eine Ressource hat.</translation>
    </message>
    <message>
        <source>Live preview is off (View menu).</source>
        <translation>Die Live-Vorschau ist ausgeschaltet (Menü Ansicht).</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message>
        <source>%1 pages</source>
        <translation>%1 Seiten</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>WordPress Speed Cheat Sheet</source>
        <translation>WordPress-Tempo-Spickzettel</translation>
    </message>
    <message>
        <source>Eight free tools to make your site load in under a second</source>
        <translation>Acht kostenlose Werkzeuge, mit denen Ihre Website in unter einer Sekunde lädt</translation>
    </message>
    <message>
        <source>Free Keyword Research Tool</source>
        <translation>Kostenloses Keyword-Recherche-Werkzeug</translation>
    </message>
    <message>
        <source>Email Swipe Templates</source>
        <translation>E-Mail-Vorlagen zum Übernehmen</translation>
    </message>
    <message>
        <source>Landing Page Checklist</source>
        <translation>Landingpage-Checkliste</translation>
    </message>
</context>
<context>
    <name>orvanta::ResourceListActions</name>
    <message>
        <source>&amp;Edit Resource…</source>
        <translation>Ressource &amp;bearbeiten…</translation>
    </message>
    <message>
        <source>Add &amp;Heading…</source>
        <translation>&amp;Zwischenüberschrift hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>M&amp;ove Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Add Resource</source>
        <translation>Ressource hinzufügen</translation>
    </message>
    <message>
        <source>Add Resources Automatically</source>
        <translation>Ressourcen automatisch hinzufügen</translation>
    </message>
    <message>
        <source>Invalid Operation</source>
        <translation>Ungültiger Vorgang</translation>
    </message>
    <message>
        <source>Please add a resource first.</source>
        <translation>Bitte fügen Sie zuerst eine Ressource hinzu.</translation>
    </message>
    <message>
        <source>Please select a resource first.</source>
        <translation>Bitte wählen Sie zuerst eine Ressource aus.</translation>
    </message>
    <message>
        <source>Remove Resource</source>
        <translation>Ressource entfernen</translation>
    </message>
    <message>
        <source>Remove Resources</source>
        <translation>Ressourcen entfernen</translation>
    </message>
    <message>
        <source>Invalid Action</source>
        <translation>Ungültige Aktion</translation>
    </message>
    <message>
        <source>Ooops, there are no resources to remove.</source>
        <translation>Hoppla, es gibt keine Ressourcen zum Entfernen.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Confirm Action?</source>
        <translation>Aktion bestätigen?</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Edit Heading</source>
        <translation>Zwischenüberschrift bearbeiten</translation>
    </message>
    <message>
        <source>Heading:</source>
        <translation>Zwischenüberschrift:</translation>
    </message>
    <message>
        <source>Edit Resource</source>
        <translation>Ressource bearbeiten</translation>
    </message>
    <message>
        <source>Add Heading</source>
        <translation>Zwischenüberschrift hinzufügen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move Resources</source>
        <translation>Ressourcen verschieben</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Pasted 1 resource</source>
        <translation>1 Ressource eingefügt</translation>
    </message>
    <message>
        <source>Pasted %1 resources</source>
        <translation>%1 Ressourcen eingefügt</translation>
    </message>
    <message>
        <source>Import Resources</source>
        <translation>Ressourcen importieren</translation>
    </message>
    <message>
        <source>Resource lists (*.txt *.tsv *.csv *.md);;All files (*)</source>
        <translation>Ressourcenlisten (*.txt *.tsv *.csv *.md);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Imported 1 resource</source>
        <translation>1 Ressource importiert</translation>
    </message>
    <message>
        <source>Imported %1 resources</source>
        <translation>%1 Ressourcen importiert</translation>
    </message>
    <message>
        <source>; skipped 1 line in no form of resource: %1</source>
        <translation>; 1 Zeile ohne erkennbare Ressource übersprungen: %1</translation>
    </message>
    <message>
        <source>; skipped %1 lines in no form of resource: %2</source>
        <translation>; %1 Zeilen ohne erkennbare Ressource übersprungen: %2</translation>
    </message>
</context>
<context>
    <name>orvanta::SheetDocument</name>
    <message>
        <source>Orvanta sheets (*.%1);;All files (*)</source>
        <translation>Orvanta-Spickzettel (*.%1);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Open Sheet</source>
        <translation>Spickzettel öffnen</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>%1 geöffnet</translation>
    </message>
    <message>
        <source>Save Sheet As</source>
        <translation>Spickzettel speichern unter</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>a new sheet</source>
        <translation>einem neuen Spickzettel</translation>
    </message>
    <message>
        <source>Restore Unsaved Sheet</source>
        <translation>Ungespeicherten Spickzettel wiederherstellen</translation>
    </message>
    <message>
        <source>Orvanta did not close properly, and changes to %1 were not saved. They were last changed on %2.

Restore them?</source>
        <translation>Orvanta wurde nicht richtig beendet, und Änderungen an %1 wurden nicht gespeichert. Sie wurden zuletzt am %2 geändert.

Wiederherstellen?</translation>
    </message>
</context>
<context>
    <name>orvanta::SheetExport</name>
    <message>
        <source>Export PDF</source>
        <translation>PDF exportieren</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Export Cover Image</source>
        <translation>Titelbild exportieren</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>the cover&apos;s PDF</source>
        <translation>das PDF des Titelbilds</translation>
    </message>
    <message>
        <source>Cover Not Saved</source>
        <translation>Titelbild nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>orvanta::TermsDialog</name>
    <message>
        <source>Link: loads the default disclaimer text</source>
        <translation>Link: lädt den Standardtext des Haftungsausschlusses</translation>
    </message>
    <message>
        <source>Terms and Conditions</source>
        <translation>Nutzungsbedingungen</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>Done! Settings saved. You can close this window if you want.</source>
        <translation>Fertig! Gespeichert. Sie können dieses Fenster jetzt schließen.</translation>
    </message>
    <message>
        <source>Please Confirm</source>
        <translation>Bitte bestätigen</translation>
    </message>
    <message>
        <source>Are you sure? This will overwrite the current TOS.</source>
        <translation>Sind Sie sicher? Die aktuellen Nutzungsbedingungen werden dabei überschrieben.</translation>
    </message>
    <message>
        <source>Default TOS</source>
        <translation>Standard-Nutzungsbedingungen</translation>
    </message>
    <message>
        <source>Done! Please remember to save your changes.</source>
        <translation>Fertig! Denken Sie daran, Ihre Änderungen zu speichern.</translation>
    </message>
</context>
</TS>
