<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>ApplyCommand</name>
    <message>
        <source>column &apos;%1&apos; is the model, which is never changed</source>
        <translation>Spalte &apos;%1&apos; ist das Modell, das nie geändert wird</translation>
    </message>
    <message>
        <source>Recompute values from a term in x, as the editor&apos;s Manipulate command does.</source>
        <translation>Werte aus einem Term in x neu berechnen, wie es der Befehl Umrechnen des Editors tut.</translation>
    </message>
    <message>
        <source>Change the column with this heading (as export prints it) or number (2 to 21); every value column but the model when none is given.</source>
        <translation>Die Spalte mit dieser Überschrift (wie export sie ausgibt) oder Nummer (2 bis 21) ändern; ohne Angabe jede Wertspalte außer dem Modell.</translation>
    </message>
    <message>
        <source>Change the cars whose name matches this pattern (* any text, ? one character, [...] one of them); every car when none is given.</source>
        <translation>Die Autos ändern, deren Name auf dieses Muster passt (* beliebiger Text, ? ein Zeichen, [...] eines davon); ohne Angabe jedes Auto.</translation>
    </message>
    <message>
        <source>Save the result as OUT, even when nothing changed, instead of saving FILE.</source>
        <translation>Das Ergebnis als OUT speichern, auch wenn sich nichts geändert hat, statt FILE zu speichern.</translation>
    </message>
    <message>
        <source>The car file.</source>
        <translation>Die Autodatei.</translation>
    </message>
    <message>
        <source>A term in x, the old value, such as x*1.1 or max(x, 0.5).</source>
        <translation>Ein Term in x, dem alten Wert, etwa x*1.1 oder max(x, 0.5).</translation>
    </message>
    <message>
        <source>no column %1: the value columns are 2 to 21</source>
        <translation>keine Spalte %1: die Wertspalten sind 2 bis 21</translation>
    </message>
    <message>
        <source>no column &apos;%1&apos;</source>
        <translation>keine Spalte &apos;%1&apos;</translation>
    </message>
    <message>
        <source>several columns are headed &apos;%1&apos;: name them by number</source>
        <translation>mehrere Spalten heißen &apos;%1&apos;: nennen Sie sie mit ihrer Nummer</translation>
    </message>
    <message>
        <source>bad pattern &apos;%1&apos;</source>
        <translation>ungültiges Muster &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Let the --car patterns ignore the case of letters.</source>
        <translation>Die --car-Muster die Groß- und Kleinschreibung übergehen lassen.</translation>
    </message>
    <message>
        <source>no car matches the pattern &apos;%1&apos;</source>
        <translation>kein Auto passt auf das Muster &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>CarCompare</name>
    <message>
        <source>Take 1 value from %1</source>
        <translation>1 Wert aus %1 übernehmen</translation>
    </message>
    <message>
        <source>Take %1 values from %2</source>
        <translation>%1 Werte aus %2 übernehmen</translation>
    </message>
</context>
<context>
    <name>CarPatch</name>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 Zeile %2: %3</translation>
    </message>
    <message>
        <source>this is no torqlet patch</source>
        <translation>dies ist kein torqlet-Patch</translation>
    </message>
    <message>
        <source>the car&apos;s number does not read</source>
        <translation>die Nummer des Autos ist nicht lesbar</translation>
    </message>
    <message>
        <source>the line is no value, remove or add line</source>
        <translation>die Zeile ist keine value-, remove- oder add-Zeile</translation>
    </message>
    <message>
        <source>%1 fields where the line takes %2</source>
        <translation>%1 Felder, wo die Zeile %2 hat</translation>
    </message>
    <message>
        <source>no column &apos;%1&apos;</source>
        <translation>keine Spalte &apos;%1&apos;</translation>
    </message>
    <message>
        <source>a value does not read</source>
        <translation>ein Wert ist nicht lesbar</translation>
    </message>
    <message>
        <source>the added car does not read: %1</source>
        <translation>das hinzugefügte Auto lässt sich nicht lesen: %1</translation>
    </message>
</context>
<context>
    <name>CarTableModel</name>
    <message>
        <source>Edit %1 of %2</source>
        <translation>%1 von %2 bearbeiten</translation>
    </message>
</context>
<context>
    <name>CellBlock</name>
    <message>
        <source>The pasted block reaches past the last car.</source>
        <translation>Der eingefügte Block reicht über das letzte Auto hinaus.</translation>
    </message>
    <message>
        <source>The pasted block reaches past the last column.</source>
        <translation>Der eingefügte Block reicht über die letzte Spalte hinaus.</translation>
    </message>
    <message>
        <source>Row %1, column %2: &quot;%3&quot; is too large for this column.</source>
        <translation>Zeile %1, Spalte %2: „%3“ ist zu groß für diese Spalte.</translation>
    </message>
    <message>
        <source>Row %1, column %2: &quot;%3&quot; is not a number.</source>
        <translation>Zeile %1, Spalte %2: „%3“ ist keine Zahl.</translation>
    </message>
</context>
<context>
    <name>CellEditor</name>
    <message>
        <source>Not a number of this column</source>
        <translation>Keine Zahl dieser Spalte</translation>
    </message>
</context>
<context>
    <name>CliCommand</name>
    <message>
        <source>Print this help and exit.</source>
        <translation>Diese Hilfe ausgeben und beenden.</translation>
    </message>
    <message>
        <source>Usage: torqlet-cli %1 [options] %2</source>
        <translation>Aufruf: torqlet-cli %1 [Optionen] %2</translation>
    </message>
    <message>
        <source>missing %1</source>
        <translation>%1 fehlt</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; given more than once</source>
        <translation>Option &apos;%1&apos; mehr als einmal angegeben</translation>
    </message>
    <message>
        <source>cannot write the output</source>
        <translation>die Ausgabe kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>1 value of column &apos;%1&apos; changed by a factor of 100 or more</source>
        <translation>1 Wert der Spalte &apos;%1&apos; hat sich um den Faktor 100 oder mehr geändert</translation>
    </message>
    <message>
        <source>%1 values of column &apos;%2&apos; changed by a factor of 100 or more</source>
        <translation>%1 Werte der Spalte &apos;%2&apos; haben sich um den Faktor 100 oder mehr geändert</translation>
    </message>
</context>
<context>
    <name>CliDispatcher</name>
    <message>
        <source>Usage: %1
Reads, changes and compares car-information files (nyc.gci).

Commands:
</source>
        <translation>Aufruf: %1
Liest, ändert und vergleicht Auto-Informationsdateien (nyc.gci).

Befehle:
</translation>
    </message>
    <message>
        <source>
Options:
  -h, --help  Print this help and exit.
  --version   Print the version and exit.
  --lang CODE Write messages in this language: de or en.

&apos;torqlet-cli COMMAND --help&apos; tells a command&apos;s options and arguments.
</source>
        <translation>
Optionen:
  -h, --help  Diese Hilfe ausgeben und beenden.
  --version   Die Version ausgeben und beenden.
  --lang CODE Meldungen in dieser Sprache schreiben: de oder en.

&apos;torqlet-cli BEFEHL --help&apos; nennt die Optionen und Argumente eines Befehls.
</translation>
    </message>
    <message>
        <source>cannot write the output</source>
        <translation>die Ausgabe kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.
</source>
        <translation>Mehr mit &apos;%1 --help&apos;.
</translation>
    </message>
    <message>
        <source>%1: warning: the file is saved, but the report cannot be printed: %2
</source>
        <translation>%1: Warnung: die Datei ist gespeichert, aber der Bericht kann nicht ausgegeben werden: %2
</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>torqlet-cli COMMAND [options] ARGUMENTS</source>
        <translation>torqlet-cli BEFEHL [Optionen] ARGUMENTE</translation>
    </message>
</context>
<context>
    <name>CliStatus</name>
    <message>
        <source>%1: warning: %2
</source>
        <translation>%1: Warnung: %2
</translation>
    </message>
</context>
<context>
    <name>CommandGuard</name>
    <message>
        <source>Error: unexpected failure</source>
        <translation>Fehler: unerwarteter Ausfall</translation>
    </message>
</context>
<context>
    <name>CompareCommands</name>
    <message>
        <source>Compare &quot;%1&quot; with:</source>
        <translation>„%1“ vergleichen mit:</translation>
    </message>
    <message>
        <source>&amp;Open a file...</source>
        <translation>Datei ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>difference %1 of %2</source>
        <translation>Unterschied %1 von %2</translation>
    </message>
    <message>
        <source>1 difference</source>
        <translation>1 Unterschied</translation>
    </message>
    <message>
        <source>%1 differences</source>
        <translation>%1 Unterschiede</translation>
    </message>
</context>
<context>
    <name>ContentFault</name>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>no car follows the header comment</source>
        <translation>auf den Kopfkommentar folgt kein Auto</translation>
    </message>
    <message>
        <source>line 1: the header comment in braces is missing</source>
        <translation>Zeile 1: der Kopfkommentar in geschweiften Klammern fehlt</translation>
    </message>
    <message>
        <source>line %1: an empty line too many between two cars</source>
        <translation>Zeile %1: eine Leerzeile zu viel zwischen zwei Autos</translation>
    </message>
    <message>
        <source>the file ends inside the car that starts at line %1</source>
        <translation>die Datei endet mitten im Auto, das in Zeile %1 beginnt</translation>
    </message>
    <message>
        <source>the car that starts at line %1 has %2 lines instead of %3</source>
        <translation>das Auto, das in Zeile %1 beginnt, hat %2 Zeilen statt %3</translation>
    </message>
    <message>
        <source>line %1: the car&apos;s name is not in braces</source>
        <translation>Zeile %1: der Name des Autos steht nicht in geschweiften Klammern</translation>
    </message>
    <message>
        <source>line %1: a value line has no blank between its number and its comment</source>
        <translation>Zeile %1: einer Wertzeile fehlt das Leerzeichen zwischen Zahl und Kommentar</translation>
    </message>
    <message>
        <source>line %1: the number is beyond the range of its value</source>
        <translation>Zeile %1: die Zahl liegt außerhalb des Bereichs ihres Werts</translation>
    </message>
    <message>
        <source>line %1: a value line has no comment in braces</source>
        <translation>Zeile %1: einer Wertzeile fehlt der Kommentar in geschweiften Klammern</translation>
    </message>
    <message>
        <source>the car that starts at line %1 cannot be read</source>
        <translation>das Auto, das in Zeile %1 beginnt, kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>DataHandler</name>
    <message>
        <source>files of 2 GiB and more are not supported</source>
        <translation>Dateien ab 2 GiB werden nicht unterstützt</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>&apos;%1&apos; (%2: move it away first)</source>
        <translation>&apos;%1&apos; (%2: bitte zuerst woandershin verschieben)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; (%2); the old content is in &apos;%3&apos;</source>
        <translation>&apos;%1&apos; (%2); der alte Inhalt liegt in &apos;%3&apos;</translation>
    </message>
    <message>
        <source>the file is saved, but its backup %1 could not be removed (%2)</source>
        <translation>die Datei ist gespeichert, aber ihre Sicherung %1 konnte nicht entfernt werden (%2)</translation>
    </message>
</context>
<context>
    <name>DiffCommand</name>
    <message>
        <source>Print the values in which two car files differ.</source>
        <translation>Die Werte ausgeben, in denen sich zwei Autodateien unterscheiden.</translation>
    </message>
    <message>
        <source>The first car file.</source>
        <translation>Die erste Autodatei.</translation>
    </message>
    <message>
        <source>The second car file.</source>
        <translation>Die zweite Autodatei.</translation>
    </message>
    <message>
        <source>Print a patch that makes B of A, for the patch command.</source>
        <translation>Einen Patch ausgeben, der aus A B macht, für den Befehl patch.</translation>
    </message>
</context>
<context>
    <name>DocumentMerge</name>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>added</source>
        <translation>hinzugefügt</translation>
    </message>
    <message>
        <source>%1: here %2, there %3</source>
        <translation>%1: hier %2, dort %3</translation>
    </message>
    <message>
        <source>%1, %2: was %3, here %4, there %5</source>
        <translation>%1, %2: war %3, hier %4, dort %5</translation>
    </message>
    <message>
        <source>Merge: the file both versions started from</source>
        <translation>Zusammenführen: die Datei, von der beide Fassungen ausgingen</translation>
    </message>
    <message>
        <source>Merge: the other version, whose changes come in</source>
        <translation>Zusammenführen: die andere Fassung, deren Änderungen übernommen werden</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>A value or car was changed both here and in &quot;%1&quot;:</source>
        <translation>Ein Wert oder Auto wurde sowohl hier als auch in „%1“ geändert:</translation>
    </message>
    <message>
        <source>%1 values or cars were changed both here and in &quot;%2&quot;:</source>
        <translation>%1 Werte oder Autos wurden sowohl hier als auch in „%2“ geändert:</translation>
    </message>
    <message>
        <source>Which side decides them?</source>
        <translation>Welche Seite soll entscheiden?</translation>
    </message>
    <message>
        <source>&amp;Keep this document&apos;s</source>
        <translation>&amp;Dieses Dokument behalten</translation>
    </message>
    <message>
        <source>&amp;Take theirs</source>
        <translation>Die andere Fassung &amp;übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Merge 1 change from %1</source>
        <translation>1 Änderung aus %1 zusammenführen</translation>
    </message>
    <message>
        <source>Merge %1 changes from %2</source>
        <translation>%1 Änderungen aus %2 zusammenführen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no change that this document does not have already.</source>
        <translation>„%1“ hat keine Änderung, die dieses Dokument nicht schon hat.</translation>
    </message>
    <message>
        <source>Keep this document&apos;s and co&amp;mpare</source>
        <translation>Dieses Dokument behalten und &amp;vergleichen</translation>
    </message>
</context>
<context>
    <name>EditRecovery</name>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot;, whose unsaved edits the recovery journal &quot;%2&quot; holds, no longer exists. The journal is kept.</source>
        <translation>Die Datei „%1“, deren nicht gespeicherte Änderungen das Wiederherstellungsprotokoll „%2“ enthält, existiert nicht mehr. Das Protokoll bleibt erhalten.</translation>
    </message>
    <message>
        <source>Recover unsaved edits</source>
        <translation>Nicht gespeicherte Änderungen wiederherstellen</translation>
    </message>
    <message>
        <source>The edits of the recovery journal &quot;%1&quot; cannot be applied.<byte value="xd"/>
%2<byte value="xd"/>
The journal is kept.</source>
        <translation>Die Änderungen des Wiederherstellungsprotokolls „%1“ können nicht angewendet werden.<byte value="xd"/>
%2<byte value="xd"/>
Das Protokoll bleibt erhalten.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed since its edits were recorded; they were applied by car name and column.</source>
        <translation>Die Datei „%1“ wurde geändert, seit ihre Änderungen aufgezeichnet wurden; sie wurden nach Autoname und Spalte angewendet.</translation>
    </message>
    <message>
        <source>These cars are no longer in the file, and their edits were not applied: %1</source>
        <translation>Diese Autos sind nicht mehr in der Datei, ihre Änderungen wurden nicht angewendet: %1</translation>
    </message>
    <message>
        <source>Torqlet was not closed properly. Recover the unsaved edits of 1 document?</source>
        <translation>Torqlet wurde nicht ordnungsgemäß beendet. Die nicht gespeicherten Änderungen von 1 Dokument wiederherstellen?</translation>
    </message>
    <message>
        <source>Torqlet was not closed properly. Recover the unsaved edits of %1 documents?</source>
        <translation>Torqlet wurde nicht ordnungsgemäß beendet. Die nicht gespeicherten Änderungen von %1 Dokumenten wiederherstellen?</translation>
    </message>
    <message>
        <source>The recovery journal &quot;%1&quot; cannot be read: %2. It is kept, and nothing of it was applied.</source>
        <translation>Das Wiederherstellungsprotokoll „%1“ kann nicht gelesen werden: %2. Es bleibt erhalten, und nichts davon wurde angewendet.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Print the cars as a table separated by TAB characters.</source>
        <translation>Die Autos als Tabelle mit TAB-Zeichen als Trenner ausgeben.</translation>
    </message>
    <message>
        <source>Write numbers with a decimal comma, for spreadsheets that read them so.</source>
        <translation>Zahlen mit Dezimalkomma schreiben, für Tabellenkalkulationen, die sie so lesen.</translation>
    </message>
    <message>
        <source>The car file.</source>
        <translation>Die Autodatei.</translation>
    </message>
</context>
<context>
    <name>FilterBar</name>
    <message>
        <source>&amp;Name contains:</source>
        <translation>&amp;Name enthält:</translation>
    </message>
    <message>
        <source>&amp;Condition on %1:</source>
        <translation>&amp;Bedingung für %1:</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>Set the values of the cars from a table as export prints it.</source>
        <translation>Die Werte der Autos aus einer Tabelle setzen, wie export sie ausgibt.</translation>
    </message>
    <message>
        <source>Save the result as OUT, even when nothing changed, instead of saving FILE.</source>
        <translation>Das Ergebnis als OUT speichern, auch wenn sich nichts geändert hat, statt FILE zu speichern.</translation>
    </message>
    <message>
        <source>Print what would change, as diff prints it, and save nothing.</source>
        <translation>Ausgeben, was sich ändern würde, wie diff es ausgibt, und nichts speichern.</translation>
    </message>
    <message>
        <source>The table: a heading line, then a line per car, fields separated by TAB characters.</source>
        <translation>Die Tabelle: eine Überschriftszeile, dann eine Zeile je Auto, Felder durch TAB-Zeichen getrennt.</translation>
    </message>
    <message>
        <source>The car file.</source>
        <translation>Die Autodatei.</translation>
    </message>
    <message>
        <source>%1: %2 bytes are more than a table of %3 can hold</source>
        <translation>%1: %2 Bytes sind mehr, als eine Tabelle von %3 enthalten kann</translation>
    </message>
</context>
<context>
    <name>InfoCommand</name>
    <message>
        <source>Print the number of cars and the header comment.</source>
        <translation>Die Zahl der Autos und den Kopfkommentar ausgeben.</translation>
    </message>
    <message>
        <source>The car file.</source>
        <translation>Die Autodatei.</translation>
    </message>
</context>
<context>
    <name>JournalRecovery</name>
    <message>
        <source>the journal is too large</source>
        <translation>das Protokoll ist zu groß</translation>
    </message>
</context>
<context>
    <name>JournalText</name>
    <message>
        <source>the line has no end</source>
        <translation>die Zeile hat kein Ende</translation>
    </message>
    <message>
        <source>there is text after the end</source>
        <translation>nach dem Ende steht noch Text</translation>
    </message>
    <message>
        <source>this is no recovery journal</source>
        <translation>dies ist kein Wiederherstellungsprotokoll</translation>
    </message>
    <message>
        <source>the file name does not read</source>
        <translation>der Dateiname ist nicht lesbar</translation>
    </message>
    <message>
        <source>the file&apos;s identity does not read</source>
        <translation>die Kennung der Datei ist nicht lesbar</translation>
    </message>
    <message>
        <source>the number of cars does not read</source>
        <translation>die Zahl der Autos ist nicht lesbar</translation>
    </message>
    <message>
        <source>the car line does not read</source>
        <translation>die Autozeile ist nicht lesbar</translation>
    </message>
    <message>
        <source>the value line names no value column</source>
        <translation>die Wertzeile nennt keine Wertspalte</translation>
    </message>
    <message>
        <source>the value does not read</source>
        <translation>der Wert ist nicht lesbar</translation>
    </message>
    <message>
        <source>the end line does not count the values</source>
        <translation>die Endzeile zählt die Werte nicht richtig</translation>
    </message>
    <message>
        <source>the line is not understood</source>
        <translation>die Zeile ist unverständlich</translation>
    </message>
    <message>
        <source>the journal ends before its end line</source>
        <translation>das Protokoll endet vor seiner Endzeile</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the block line does not read</source>
        <translation>die Blockzeile lässt sich nicht lesen</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;as</source>
        <translation>Speichern &amp;unter</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Manipulate selection</source>
        <translation>Auswahl &amp;umrechnen</translation>
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
        <source>&amp;Find car...</source>
        <translation>Auto &amp;suchen...</translation>
    </message>
    <message>
        <source>Find &amp;next</source>
        <translation>Wei&amp;tersuchen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Sort &amp;ascending</source>
        <translation>&amp;Aufsteigend sortieren</translation>
    </message>
    <message>
        <source>Sort &amp;descending</source>
        <translation>Ab&amp;steigend sortieren</translation>
    </message>
    <message>
        <source>Sort by &amp;name</source>
        <translation>Nach &amp;Namen sortieren</translation>
    </message>
    <message>
        <source>File &amp;order</source>
        <translation>&amp;Reihenfolge der Datei</translation>
    </message>
    <message>
        <source>&amp;Filter cars...</source>
        <translation>Autos &amp;filtern...</translation>
    </message>
    <message>
        <source>Show a&amp;ll cars</source>
        <translation>A&amp;lle Autos zeigen</translation>
    </message>
    <message>
        <source>&amp;Windows</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Überlappend</translation>
    </message>
    <message>
        <source>Tile &amp;horizontal</source>
        <translation>&amp;Horizontal nebeneinander</translation>
    </message>
    <message>
        <source>Tile &amp;vertical</source>
        <translation>&amp;Vertikal nebeneinander</translation>
    </message>
    <message>
        <source>Arrange &amp;icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>&amp;Recent files</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>&amp;Merge into this document...</source>
        <translation>&amp;Mit anderer Fassung zusammenführen...</translation>
    </message>
    <message>
        <source>Compare &amp;with...</source>
        <translation>&amp;Vergleichen mit...</translation>
    </message>
    <message>
        <source>Next &amp;difference</source>
        <translation>&amp;Nächster Unterschied</translation>
    </message>
    <message>
        <source>Pre&amp;vious difference</source>
        <translation>V&amp;origer Unterschied</translation>
    </message>
    <message>
        <source>&amp;Take value from the other file</source>
        <translation>Wert aus der &amp;anderen Datei übernehmen</translation>
    </message>
    <message>
        <source>&amp;Stop comparing</source>
        <translation>Vergleich &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Chart of column</source>
        <translation>&amp;Diagramm der Spalte</translation>
    </message>
    <message>
        <source>Sca&amp;tter of two columns</source>
        <translation>&amp;Punktwolke aus zwei Spalten</translation>
    </message>
</context>
<context>
    <name>MergeCommand</name>
    <message>
        <source>Merge the changes of two mods of one car file.</source>
        <translation>Die Änderungen zweier Mods einer Autodatei zusammenführen.</translation>
    </message>
    <message>
        <source>Save the merged file as OUT (required).</source>
        <translation>Die zusammengeführte Datei als OUT speichern (erforderlich).</translation>
    </message>
    <message>
        <source>Decide conflicts for one side: ours or theirs.</source>
        <translation>Konflikte für eine Seite entscheiden: ours oder theirs.</translation>
    </message>
    <message>
        <source>The file both mods started from.</source>
        <translation>Die Datei, von der beide Mods ausgingen.</translation>
    </message>
    <message>
        <source>Our mod; the header and the comments come from it.</source>
        <translation>Unser Mod; Kopf und Kommentare kommen aus ihm.</translation>
    </message>
    <message>
        <source>Their mod.</source>
        <translation>Ihr Mod.</translation>
    </message>
    <message>
        <source>missing -o OUT</source>
        <translation>-o OUT fehlt</translation>
    </message>
    <message>
        <source>--prefer takes ours or theirs</source>
        <translation>--prefer nimmt ours oder theirs</translation>
    </message>
</context>
<context>
    <name>NycGciCars</name>
    <message>
        <source> - writing data...</source>
        <translation> - Daten werden geschrieben...</translation>
    </message>
    <message>
        <source> - loading data...</source>
        <translation> - Daten werden geladen...</translation>
    </message>
    <message>
        <source> - processing data...</source>
        <translation> - Daten werden verarbeitet...</translation>
    </message>
</context>
<context>
    <name>PatchCommand</name>
    <message>
        <source>Apply a patch that diff --patch wrote, unless it clashes.</source>
        <translation>Einen Patch anwenden, den diff --patch schrieb, sofern er nicht kollidiert.</translation>
    </message>
    <message>
        <source>Save the result as OUT, even when nothing changed, instead of saving FILE.</source>
        <translation>Das Ergebnis als OUT speichern, auch wenn sich nichts geändert hat, statt FILE zu speichern.</translation>
    </message>
    <message>
        <source>Only report what the patch would do, and save nothing.</source>
        <translation>Nur berichten, was der Patch täte, und nichts speichern.</translation>
    </message>
    <message>
        <source>The car file.</source>
        <translation>Die Autodatei.</translation>
    </message>
    <message>
        <source>The patch.</source>
        <translation>Der Patch.</translation>
    </message>
</context>
<context>
    <name>RecoveryJournal</name>
    <message>
        <source>the folder &quot;%1&quot; cannot be made</source>
        <translation>der Ordner „%1“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the journal &quot;%1&quot; cannot be locked</source>
        <translation>das Protokoll „%1“ kann nicht gesperrt werden</translation>
    </message>
    <message>
        <source>the journal &quot;%1&quot; cannot be written: %2</source>
        <translation>das Protokoll „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>RewriteCommand</name>
    <message>
        <source>Save a car file under another name, unchanged or rebuilt.</source>
        <translation>Eine Autodatei unter einem anderen Namen speichern, unverändert oder neu geschrieben.</translation>
    </message>
    <message>
        <source>Write the content afresh from the cars instead of the bytes read.</source>
        <translation>Den Inhalt neu aus den Autos schreiben statt aus den gelesenen Bytes.</translation>
    </message>
    <message>
        <source>The car file to read.</source>
        <translation>Die zu lesende Autodatei.</translation>
    </message>
    <message>
        <source>The file to write.</source>
        <translation>Die zu schreibende Datei.</translation>
    </message>
</context>
<context>
    <name>RuntimeErrors</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Unzulässiger Prozeduraufruf oder unzulässiges Argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division durch Null</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
</context>
<context>
    <name>SaveBackup</name>
    <message>
        <source>an interrupted save left %1; the file itself may be incomplete</source>
        <translation>ein abgebrochenes Speichern hat %1 hinterlassen; die Datei selbst ist vielleicht unvollständig</translation>
    </message>
</context>
<context>
    <name>SheetCommands</name>
    <message>
        <source>1 cell</source>
        <translation>1 Zelle</translation>
    </message>
    <message>
        <source>%1 cells</source>
        <translation>%1 Zellen</translation>
    </message>
    <message>
        <source>Manipulate %1 (%2)</source>
        <translation>Umrechnen %1 (%2)</translation>
    </message>
    <message>
        <source>The clipboard</source>
        <translation>Die Zwischenablage</translation>
    </message>
    <message>
        <source>Paste (%1)</source>
        <translation>Einfügen (%1)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> - %1 of %2 cars shown</source>
        <translation> - %1 von %2 Autos gezeigt</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>1 cell selected</source>
        <translation>1 Zelle ausgewählt</translation>
    </message>
    <message>
        <source>%1 cells selected</source>
        <translation>%1 Zellen ausgewählt</translation>
    </message>
    <message>
        <source>Sum: %1   Average: %2   Min: %3   Max: %4</source>
        <translation>Summe: %1   Mittelwert: %2   Min: %3   Max: %4</translation>
    </message>
    <message>
        <source>%1 of %2 cars shown</source>
        <translation>%1 von %2 Autos gezeigt</translation>
    </message>
</context>
<context>
    <name>TabTable</name>
    <message>
        <source>%1 line %2, field %3: a quoted field must end at its closing quote</source>
        <translation>%1 Zeile %2, Feld %3: ein Feld in Anführungszeichen muss an seinem schließenden Anführungszeichen enden</translation>
    </message>
</context>
<context>
    <name>TableImport</name>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 Zeile %2: %3</translation>
    </message>
    <message>
        <source>%1 line %2, column &apos;%3&apos;: %4</source>
        <translation>%1 Zeile %2, Spalte &apos;%3&apos;: %4</translation>
    </message>
    <message>
        <source>no heading line</source>
        <translation>keine Überschriftszeile</translation>
    </message>
    <message>
        <source>%1: the table is not TAB-separated: line %2 has no TAB</source>
        <translation>%1: die Tabelle ist nicht durch TAB getrennt: Zeile %2 hat kein TAB</translation>
    </message>
    <message>
        <source>%1 fields where a car has at most %2</source>
        <translation>%1 Felder, wo ein Auto höchstens %2 hat</translation>
    </message>
    <message>
        <source>repeated heading</source>
        <translation>wiederholte Überschrift</translation>
    </message>
    <message>
        <source>no column of %1 has this heading</source>
        <translation>keine Spalte von %1 hat diese Überschrift</translation>
    </message>
    <message>
        <source>%1 fields where the heading line has %2</source>
        <translation>%1 Felder, wo die Überschriftszeile %2 hat</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has both a decimal point and a decimal comma</source>
        <translation>&apos;%1&apos; hat sowohl einen Dezimalpunkt als auch ein Dezimalkomma</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has a decimal comma where line %2 has a decimal point</source>
        <translation>&apos;%1&apos; hat ein Dezimalkomma, wo Zeile %2 einen Dezimalpunkt hat</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has a decimal point where line %2 has a decimal comma</source>
        <translation>&apos;%1&apos; hat einen Dezimalpunkt, wo Zeile %2 ein Dezimalkomma hat</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not the model of this car (%2)</source>
        <translation>&apos;%1&apos; ist nicht das Modell dieses Autos (%2)</translation>
    </message>
    <message>
        <source>%1: the table has a heading but no car row</source>
        <translation>%1: die Tabelle hat eine Überschrift, aber keine Autozeile</translation>
    </message>
</context>
<context>
    <name>Term</name>
    <message>
        <source>Bad term</source>
        <translation>Ungültiger Term</translation>
    </message>
    <message>
        <source>the term is empty</source>
        <translation>der Term ist leer</translation>
    </message>
    <message>
        <source>the term contains a null character</source>
        <translation>der Term enthält ein Nullzeichen</translation>
    </message>
    <message>
        <source>the term gives several values separated by commas; numbers take a decimal point (x*1.5, not x*1,5)</source>
        <translation>der Term ergibt mehrere durch Kommas getrennte Werte; Zahlen schreiben Sie mit Dezimalpunkt (x*1.5, nicht x*1,5)</translation>
    </message>
    <message>
        <source>a term cannot assign to a variable (use == to compare)</source>
        <translation>ein Term kann keiner Variablen etwas zuweisen (zum Vergleichen ==)</translation>
    </message>
    <message>
        <source>no term has been set</source>
        <translation>es ist kein Term gesetzt</translation>
    </message>
    <message>
        <source>the value of the term &quot;%1&quot; is not a number</source>
        <translation>der Wert des Terms „%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>the value of the term &quot;%1&quot; is infinite</source>
        <translation>der Wert des Terms „%1“ ist unendlich</translation>
    </message>
    <message>
        <source>the value of the term &quot;%1&quot; is too large</source>
        <translation>der Wert des Terms „%1“ ist zu groß</translation>
    </message>
</context>
<context>
    <name>VersionRecord</name>
    <message>
        <source>Copyright © 2026 the Quorvex Torqlet developers. Licensed under the MIT licence.</source>
        <translation>Copyright © 2026 die Entwickler von Quorvex Torqlet. Lizenziert unter der MIT-Lizenz.</translation>
    </message>
</context>
<context>
    <name>frmCars</name>
    <message>
        <source>Unable to open file &quot;%1&quot;.<byte value="xd"/>
It might be locked by me or by any other application.<byte value="xd"/>
%2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden.<byte value="xd"/>
Vielleicht ist sie von mir oder einem anderen Programm gesperrt.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Unable to open file &quot;%1&quot;.<byte value="xd"/>
%2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was deleted by another program since it was opened. Write it again?</source>
        <translation>Die Datei „%1“ wurde seit dem Öffnen von einem anderen Programm gelöscht. Erneut schreiben?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program since it was opened. Overwrite it?</source>
        <translation>Die Datei „%1“ wurde seit dem Öffnen von einem anderen Programm geändert. Überschreiben?</translation>
    </message>
    <message>
        <source>Unable to save file &quot;%1&quot;.<byte value="xd"/>
%2</source>
        <translation>Die Datei „%1“ kann nicht gespeichert werden.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Loaded file changed, but not saved. Save now?</source>
        <translation>Die geladene Datei wurde geändert, aber nicht gespeichert. Jetzt speichern?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program. Reload it?</source>
        <translation>Die Datei „%1“ wurde von einem anderen Programm geändert. Neu laden?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was changed by another program, and this document has edits that are not saved.</source>
        <translation>Die Datei „%1“ wurde von einem anderen Programm geändert, und dieses Dokument hat nicht gespeicherte Änderungen.</translation>
    </message>
    <message>
        <source>Reload and lose your edits</source>
        <translation>Neu laden und Änderungen verwerfen</translation>
    </message>
    <message>
        <source>Keep your edits</source>
        <translation>Änderungen behalten</translation>
    </message>
</context>
<context>
    <name>frmChart</name>
    <message>
        <source>Bars of one column</source>
        <translation>Balken einer Spalte</translation>
    </message>
    <message>
        <source>Scatter of two columns</source>
        <translation>Punktwolke aus zwei Spalten</translation>
    </message>
    <message>
        <source>&amp;against:</source>
        <translation>gege&amp;n:</translation>
    </message>
    <message>
        <source>&amp;Save image...</source>
        <translation>Bild spei&amp;chern...</translation>
    </message>
    <message>
        <source>Co&amp;py image</source>
        <translation>Bild &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>Dia&amp;gramm:</translation>
    </message>
    <message>
        <source>&amp;Column:</source>
        <translation>S&amp;palte:</translation>
    </message>
    <message>
        <source>Chart: %1 - %2</source>
        <translation>Diagramm: %1 - %2</translation>
    </message>
    <message>
        <source>Scatter: %1 - %2 against %3</source>
        <translation>Punktwolke: %1 - %2 gegen %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Cars %1 to %2: lowest %3 (%4), highest %5 (%6)</source>
        <translation>Autos %1 bis %2: niedrigster Wert %3 (%4), höchster %5 (%6)</translation>
    </message>
    <message>
        <source>%1 cars in the shown order; each band: lowest to highest of %2 cars</source>
        <translation>%1 Autos in der gezeigten Reihenfolge; jedes Band: niedrigster bis höchster Wert von %2 Autos</translation>
    </message>
    <message>
        <source>Cars in the shown order: %1</source>
        <translation>Autos in der gezeigten Reihenfolge: %1</translation>
    </message>
    <message>
        <source>%1: %2 %3, %4 %5</source>
        <translation>%1: %2 %3, %4 %5</translation>
    </message>
    <message>
        <source>the image could not be drawn</source>
        <translation>das Bild konnte nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>PNG image (*.png)|*.png|SVG image (*.svg)|*.svg</source>
        <translation>PNG-Bild (*.png)|*.png|SVG-Bild (*.svg)|*.svg</translation>
    </message>
    <message>
        <source>Save chart as image</source>
        <translation>Diagramm als Bild speichern</translation>
    </message>
    <message>
        <source>The chart could not be saved as &quot;%1&quot;: %2</source>
        <translation>Das Diagramm konnte nicht als „%1“ gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Language of the interface: de or en (the default follows the system&apos;s language).</source>
        <translation>Sprache der Oberfläche: de oder en (ohne Angabe die Sprache des Systems).</translation>
    </message>
    <message>
        <source>Editor for the car-information file of a driving game.</source>
        <translation>Editor für die Auto-Informationsdatei eines Rennspiels.</translation>
    </message>
    <message>
        <source>Car file to open in a window of its own; without one, the editor asks.</source>
        <translation>Autodatei, die in einem eigenen Fenster geöffnet wird; ohne sie fragt der Editor.</translation>
    </message>
</context>
<context>
    <name>mdfMain</name>
    <message>
        <source>Open a car file with Ctrl+O, make a new one with Ctrl+N, or drop files here</source>
        <translation>Öffnen Sie eine Autodatei mit Strg+O, legen Sie mit Strg+N eine neue an oder ziehen Sie Dateien hierher</translation>
    </message>
    <message>
        <source>Enter term to be used for calculating the new value <byte value="xd"/>
of each selected cell. Use an &quot;x&quot; for the cells&apos; old values:</source>
        <translation>Geben Sie den Term ein, aus dem der neue Wert <byte value="xd"/>
jeder ausgewählten Zelle berechnet wird. „x“ steht für den alten Wert der Zelle:</translation>
    </message>
    <message>
        <source>No cell was changed: the term has no finite value for any selected cell.</source>
        <translation>Keine Zelle wurde geändert: Der Term hat für keine ausgewählte Zelle einen endlichen Wert.</translation>
    </message>
    <message>
        <source>Bad manipulation term.</source>
        <translation>Ungültiger Umrechnungsterm.</translation>
    </message>
    <message>
        <source>Find the car whose name contains:</source>
        <translation>Das Auto suchen, dessen Name dies enthält:</translation>
    </message>
    <message>
        <source>No car named like &quot;%1&quot;.</source>
        <translation>Kein Auto heißt wie „%1“.</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Terms are evaluated by muParser, © Ingo Berg, MIT licence.</source>
        <translation>Terme berechnet muParser, © Ingo Berg, MIT-Lizenz.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; no longer exists. It was taken off the list of recent files.</source>
        <translation>Die Datei „%1“ existiert nicht mehr. Sie wurde aus der Liste der zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>Unsaved edits are not safe from a crash: %1</source>
        <translation>Nicht gespeicherte Änderungen sind nicht vor einem Absturz geschützt: %1</translation>
    </message>
</context>
<context>
    <name>muParser</name>
    <message>
        <source>Unexpected operator &quot;$TOK$&quot; found at position $POS$</source>
        <translation>Unerwarteter Operator „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Unexpected token &quot;$TOK$&quot; found at position $POS$.</source>
        <translation>Unerwartetes Zeichen „$TOK$“ an Position $POS$.</translation>
    </message>
    <message>
        <source>Unexpected end of expression at position $POS$</source>
        <translation>Unerwartetes Ende des Ausdrucks an Position $POS$</translation>
    </message>
    <message>
        <source>Unexpected argument separator at position $POS$</source>
        <translation>Unerwartetes Argumenttrennzeichen an Position $POS$</translation>
    </message>
    <message>
        <source>Function arguments used without a function (position: $POS$)</source>
        <translation>Funktionsargumente ohne Funktion (Position: $POS$)</translation>
    </message>
    <message>
        <source>Unexpected value &quot;$TOK$&quot; found at position $POS$</source>
        <translation>Unerwarteter Wert „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Unexpected variable &quot;$TOK$&quot; found at position $POS$</source>
        <translation>Unerwartete Variable „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Unexpected parenthesis &quot;$TOK$&quot; at position $POS$</source>
        <translation>Unerwartete Klammer „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Unexpected string token found at position $POS$.</source>
        <translation>Unerwartete Zeichenkette an Position $POS$.</translation>
    </message>
    <message>
        <source>Missing parenthesis</source>
        <translation>Fehlende Klammer</translation>
    </message>
    <message>
        <source>Unexpected function &quot;$TOK$&quot; at position $POS$</source>
        <translation>Unerwartete Funktion „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Unterminated string starting at position $POS$.</source>
        <translation>Nicht abgeschlossene Zeichenkette ab Position $POS$.</translation>
    </message>
    <message>
        <source>Too many parameters for function &quot;$TOK$&quot; at expression position $POS$</source>
        <translation>Zu viele Parameter für die Funktion „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Too few parameters for function &quot;$TOK$&quot; at expression position $POS$</source>
        <translation>Zu wenige Parameter für die Funktion „$TOK$“ an Position $POS$</translation>
    </message>
    <message>
        <source>Invalid function-, variable- or constant name: &quot;$TOK$&quot;.</source>
        <translation>Ungültiger Funktions-, Variablen- oder Konstantenname: „$TOK$“.</translation>
    </message>
    <message>
        <source>Expression is empty.</source>
        <translation>Der Ausdruck ist leer.</translation>
    </message>
    <message>
        <source>Domain error</source>
        <translation>Außerhalb des Definitionsbereichs</translation>
    </message>
    <message>
        <source>Divide by zero</source>
        <translation>Division durch Null</translation>
    </message>
    <message>
        <source>If-then-else operator is missing an else clause</source>
        <translation>Dem Wenn-dann-Operator fehlt der Sonst-Zweig</translation>
    </message>
    <message>
        <source>Misplaced colon at position $POS$</source>
        <translation>Doppelpunkt an falscher Stelle, Position $POS$</translation>
    </message>
    <message>
        <source>Identifier too long.</source>
        <translation>Bezeichner zu lang.</translation>
    </message>
    <message>
        <source>Expression too long.</source>
        <translation>Ausdruck zu lang.</translation>
    </message>
    <message>
        <source>Invalid non printable characters found in expression/identifer!</source>
        <translation>Ungültige nicht druckbare Zeichen im Ausdruck oder Bezeichner!</translation>
    </message>
</context>
</TS>
