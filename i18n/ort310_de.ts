<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>ort::AlertNotice</name>
    <message>
        <source>Local above its high limit of %1 C.</source>
        <translation>Lokal über dem oberen Grenzwert von %1 °C.</translation>
    </message>
    <message>
        <source>Local above its high limit.</source>
        <translation>Lokal über dem oberen Grenzwert.</translation>
    </message>
    <message>
        <source>Local below its low limit of %1 C.</source>
        <translation>Lokal unter dem unteren Grenzwert von %1 °C.</translation>
    </message>
    <message>
        <source>Local below its low limit.</source>
        <translation>Lokal unter dem unteren Grenzwert.</translation>
    </message>
    <message>
        <source>Remote above its high limit of %1 C.</source>
        <translation>Extern über dem oberen Grenzwert von %1 °C.</translation>
    </message>
    <message>
        <source>Remote above its high limit.</source>
        <translation>Extern über dem oberen Grenzwert.</translation>
    </message>
    <message>
        <source>Remote below its low limit of %1 C.</source>
        <translation>Extern unter dem unteren Grenzwert von %1 °C.</translation>
    </message>
    <message>
        <source>Remote below its low limit.</source>
        <translation>Extern unter dem unteren Grenzwert.</translation>
    </message>
    <message>
        <source>Remote %1 C, local %2 C.</source>
        <translation>Extern %1 °C, lokal %2 °C.</translation>
    </message>
    <message>
        <source>Remote %1 C, local %2 C, within their limits.</source>
        <translation>Extern %1 °C, lokal %2 °C, innerhalb der Grenzwerte.</translation>
    </message>
    <message>
        <source>Both temperatures within their limits.</source>
        <translation>Beide Temperaturen innerhalb der Grenzwerte.</translation>
    </message>
    <message>
        <source>%1: Alert Detected</source>
        <translation>%1: Alarm erkannt</translation>
    </message>
    <message>
        <source>%1: No Alert Detected</source>
        <translation>%1: Kein Alarm erkannt</translation>
    </message>
</context>
<context>
    <name>ort::AlertPanel</name>
    <message>
        <source>Alert Status</source>
        <translation>Alarmstatus</translation>
    </message>
    <message>
        <source>Not checking for a software Alert</source>
        <translation>Keine Prüfung auf Software-Alarm</translation>
    </message>
    <message>
        <source>Alert lamp</source>
        <translation>Alarmlampe</translation>
    </message>
    <message>
        <source>Clr Alert Hardware Int</source>
        <translation>Hardware-Alarm löschen</translation>
    </message>
    <message>
        <source>Clear the Alert Hardware Interrupt</source>
        <translation>Den Hardware-Interrupt des Alarms löschen</translation>
    </message>
    <message>
        <source>Alert Detect Off</source>
        <translation>Alarmerkennung aus</translation>
    </message>
    <message>
        <source>No Alert Detected</source>
        <translation>Kein Alarm erkannt</translation>
    </message>
    <message>
        <source>Alert Detected</source>
        <translation>Alarm erkannt</translation>
    </message>
</context>
<context>
    <name>ort::Application</name>
    <message>
        <source>The program could not start</source>
        <translation>Das Programm konnte nicht starten</translation>
    </message>
    <message>
        <source>Finds the %1 temperature-monitor chip on a printer-port evaluation board or on an SMBus adapter, reads and writes its registers, shows its temperatures live, sets its limits and logs readings to a file.</source>
        <translation>Findet den Temperaturwächter %1 auf einer Evaluierungsplatine am Druckerport oder an einem SMBus-Adapter, liest und schreibt seine Register, zeigt seine Temperaturen laufend an, setzt seine Grenzwerte und zeichnet Messwerte in einer Datei auf.</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;</source>
        <translation>Unerwartetes Argument „%1“</translation>
    </message>
</context>
<context>
    <name>ort::BarPanel</name>
    <message>
        <source>Remote Temp. = </source>
        <translation>Ext. Temp. = </translation>
    </message>
    <message>
        <source>Local Temp. = </source>
        <translation>Lok. Temp. = </translation>
    </message>
    <message>
        <source>Bargraphs are Off</source>
        <translation>Balken sind aus</translation>
    </message>
    <message>
        <source>Remote temperature</source>
        <translation>Externe Temperatur</translation>
    </message>
    <message>
        <source>Local temperature</source>
        <translation>Lokale Temperatur</translation>
    </message>
</context>
<context>
    <name>ort::BitPanel</name>
    <message>
        <source>Bit %1</source>
        <translation>Bit %1</translation>
    </message>
    <message>
        <source>Read/Write</source>
        <translation>Lesen/Schreiben</translation>
    </message>
    <message>
        <source>Press any of these Digits to write to the %1</source>
        <translation>Eine dieser Ziffern anklicken, um in den %1 zu schreiben</translation>
    </message>
    <message>
        <source>(Click Digits)</source>
        <translation>(Ziffern anklicken)</translation>
    </message>
    <message>
        <source>Continuous Reading</source>
        <translation>Dauerlesen</translation>
    </message>
    <message>
        <source>Continuous Reading is Off</source>
        <translation>Dauerlesen ist aus</translation>
    </message>
    <message>
        <source>Continuous Reading is On</source>
        <translation>Dauerlesen ist an</translation>
    </message>
</context>
<context>
    <name>ort::BoardFile</name>
    <message>
        <source>a temperature from -128 to 127</source>
        <translation>eine Temperatur von -128 bis 127</translation>
    </message>
    <message>
        <source>a whole number of transfers from 0 to 2147483647</source>
        <translation>eine ganze Zahl von Übertragungen von 0 bis 2147483647</translation>
    </message>
    <message>
        <source>a byte in hexadecimal from &quot;0&quot; to &quot;FF&quot;</source>
        <translation>ein Byte, hexadezimal von &quot;0&quot; bis &quot;FF&quot;</translation>
    </message>
    <message>
        <source>a list of chips [ { &quot;address&quot;: &quot;4C&quot; } ]</source>
        <translation>eine Liste von Chips [ { &quot;address&quot;: &quot;4C&quot; } ]</translation>
    </message>
    <message>
        <source>another chip on this bus has this address</source>
        <translation>ein anderer Chip an diesem Bus hat diese Adresse</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>%1 needs &quot;%2&quot;</source>
        <translation>%1 braucht &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 in braces { &quot;%2&quot;: ... }</source>
        <translation>%1 in geschweiften Klammern { &quot;%2&quot;: ... }</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a key of %2 (%3)</source>
        <translation>&quot;%1&quot; ist kein bekannter Schlüssel (%2 kennt nur %3)</translation>
    </message>
    <message>
        <source>%1%2 is not %3</source>
        <translation>%1%2 ist nicht %3</translation>
    </message>
    <message>
        <source>%1:%2: the file is not JSON (%3)</source>
        <translation>%1:%2: die Datei ist kein JSON (%3)</translation>
    </message>
    <message>
        <source>%1:%2: &quot;%3&quot; is given twice</source>
        <translation>%1:%2: &quot;%3&quot; ist doppelt angegeben</translation>
    </message>
    <message>
        <source>The board file %1 cannot be read: %2</source>
        <translation>Die Platinendatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The board file %1 is larger than 1 MiB: it is not one</source>
        <translation>Die Platinendatei %1 ist größer als 1 MiB: sie ist keine</translation>
    </message>
    <message>
        <source>a board</source>
        <translation>eine Platine</translation>
    </message>
    <message>
        <source>a build number in quotes, &quot;2222&quot;</source>
        <translation>eine Build-Nummer in Anführungszeichen, &quot;2222&quot;</translation>
    </message>
    <message>
        <source>a whole number from 0 to 4294967295</source>
        <translation>eine ganze Zahl von 0 bis 4294967295</translation>
    </message>
    <message>
        <source>a list of printer ports [ { &quot;base&quot;: &quot;378&quot; } ]</source>
        <translation>eine Liste von Druckerports [ { &quot;base&quot;: &quot;378&quot; } ]</translation>
    </message>
    <message>
        <source>another printer port has this base</source>
        <translation>ein anderer Druckerport hat diese Basis</translation>
    </message>
    <message>
        <source>a list of SMBus adapters [ { &quot;base&quot;: &quot;5000&quot; } ]</source>
        <translation>eine Liste von SMBus-Adaptern [ { &quot;base&quot;: &quot;5000&quot; } ]</translation>
    </message>
    <message>
        <source>each of several SMBus adapters needs a &quot;device&quot; of its own</source>
        <translation>jeder von mehreren SMBus-Adaptern braucht ein eigenes &quot;device&quot;</translation>
    </message>
    <message>
        <source>a text in quotes</source>
        <translation>ein Text in Anführungszeichen</translation>
    </message>
    <message>
        <source>a list of texts [ &quot;...&quot; ]</source>
        <translation>eine Liste von Texten [ &quot;...&quot; ]</translation>
    </message>
    <message>
        <source>a printer port</source>
        <translation>ein Druckerport</translation>
    </message>
    <message>
        <source>an I/O base in hexadecimal from &quot;1&quot; to &quot;FFFF&quot;</source>
        <translation>eine I/O-Basis, hexadezimal von &quot;1&quot; bis &quot;FFFF&quot;</translation>
    </message>
    <message>
        <source>one of &quot;non-inverting&quot;, &quot;inverting&quot; or &quot;either&quot;</source>
        <translation>eines von &quot;non-inverting&quot;, &quot;inverting&quot; oder &quot;either&quot;</translation>
    </message>
    <message>
        <source>an SMBus adapter</source>
        <translation>ein SMBus-Adapter</translation>
    </message>
    <message>
        <source>an I/O base in hexadecimal from &quot;0&quot; to &quot;FFFF&quot;</source>
        <translation>eine I/O-Basis, hexadezimal von &quot;0&quot; bis &quot;FFFF&quot;</translation>
    </message>
    <message>
        <source>a text in quotes, &quot;/dev/i2c-0&quot;</source>
        <translation>ein Text in Anführungszeichen, &quot;/dev/i2c-0&quot;</translation>
    </message>
    <message>
        <source>a chip</source>
        <translation>ein Chip</translation>
    </message>
    <message>
        <source>one of the chip&apos;s addresses (%1)</source>
        <translation>eine der Adressen des Chips (%1)</translation>
    </message>
    <message>
        <source>a standard deviation from 0 to 100</source>
        <translation>eine Standardabweichung von 0 bis 100</translation>
    </message>
    <message>
        <source>registers and the bytes they read, { &quot;02&quot;: &quot;10&quot; }</source>
        <translation>Register und die Bytes, die sie lesen, { &quot;02&quot;: &quot;10&quot; }</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in %2 is not a register in hexadecimal from &quot;0&quot; to &quot;FF&quot;</source>
        <translation>&quot;%1&quot; in %2 ist kein Register, hexadezimal von &quot;0&quot; bis &quot;FF&quot;</translation>
    </message>
    <message>
        <source>a rate code from 0 to 7</source>
        <translation>ein Ratencode von 0 bis 7</translation>
    </message>
    <message>
        <source>the limits</source>
        <translation>die Grenzwerte</translation>
    </message>
    <message>
        <source> in whole degrees</source>
        <translation> in ganzen Grad</translation>
    </message>
    <message>
        <source> or a profile, { &quot;start&quot;: 30, &quot;end&quot;: 100, &quot;period&quot;: 60 } or { &quot;points&quot;: [[0, 30], [40, 95]] }</source>
        <translation> oder ein Verlauf, { &quot;start&quot;: 30, &quot;end&quot;: 100, &quot;period&quot;: 60 } oder { &quot;points&quot;: [[0, 30], [40, 95]] }</translation>
    </message>
    <message>
        <source>the profile %1</source>
        <translation>der Verlauf %1</translation>
    </message>
    <message>
        <source>a period from 1 to 1000000000 s</source>
        <translation>eine Periode von 1 bis 1000000000 s</translation>
    </message>
    <message>
        <source>a list of points [[0, 30], [40, 95]], at least one</source>
        <translation>eine Liste von Punkten [[0, 30], [40, 95]], mindestens einer</translation>
    </message>
    <message>
        <source>a point [s, C], [40, 95]</source>
        <translation>ein Punkt [s, °C], [40, 95]</translation>
    </message>
    <message>
        <source>a time from 0 to 1000000000 s</source>
        <translation>eine Zeit von 0 bis 1000000000 s</translation>
    </message>
    <message>
        <source>a time after that of the point before</source>
        <translation>eine Zeit nach der des vorigen Punkts</translation>
    </message>
</context>
<context>
    <name>ort::BusConsole</name>
    <message>
        <source>%1 - Bus Console</source>
        <translation>%1 - Buskonsole</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stops recording transfers until pressed again</source>
        <translation>Hält die Aufzeichnung der Übertragungen an, bis erneut gedrückt</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>Speichern…</translation>
    </message>
    <message>
        <source>Saves the transfers shown as CSV</source>
        <translation>Speichert die angezeigten Übertragungen als CSV</translation>
    </message>
    <message>
        <source>All registers</source>
        <translation>Alle Register</translation>
    </message>
    <message>
        <source>No register</source>
        <translation>Kein Register</translation>
    </message>
    <message>
        <source>All results</source>
        <translation>Alle Ergebnisse</translation>
    </message>
    <message>
        <source>Acknowledged</source>
        <translation>Quittiert</translation>
    </message>
    <message>
        <source>Not acknowledged</source>
        <translation>Nicht quittiert</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Not acknowledged or failed</source>
        <translation>Nicht quittiert oder fehlgeschlagen</translation>
    </message>
    <message>
        <source>&amp;Register:</source>
        <translation>&amp;Register:</translation>
    </message>
    <message>
        <source>Res&amp;ult:</source>
        <translation>&amp;Ergebnis:</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n transfers</source>
        <translation>
            <numerusform>%1 von %n Übertragung</numerusform>
            <numerusform>%1 von %n Übertragungen</numerusform>
        </translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, angehalten</translation>
    </message>
    <message numerus="yes">
        <source>%n transfers</source>
        <translation>
            <numerusform>%n Übertragung</numerusform>
            <numerusform>%n Übertragungen</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Transfers</source>
        <translation>Übertragungen speichern</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The transfers could not be saved to %1: %2. Nothing was written.</source>
        <translation>Die Übertragungen konnten nicht unter %1 gespeichert werden: %2. Es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>ort::BusOptions</name>
    <message>
        <source>What to talk to: %1 (default: the ORT310_BUS variable, else auto). auto is this machine&apos;s hardware where it shows a printer port or an SMBus adapter, else the simulated board; sim is the simulated board; linux is this machine&apos;s printer ports and SMBus adapters.</source>
        <translation>Womit gesprochen wird: %1 (Vorgabe: die Variable ORT310_BUS, sonst auto). auto ist die Hardware dieses Rechners, wo er einen Druckerport oder einen SMBus-Adapter zeigt, sonst die simulierte Platine; sim ist die simulierte Platine; linux sind die Druckerports und SMBus-Adapter dieses Rechners.</translation>
    </message>
    <message>
        <source>The SMBus adapter to use on this machine&apos;s hardware, /dev/i2c-N (default: the ORT310_I2C variable, else the first with byte-data support). With auto, naming one chooses the hardware; with a board file, one of its adapters.</source>
        <translation>Der SMBus-Adapter auf der Hardware dieses Rechners, /dev/i2c-N (Vorgabe: die Variable ORT310_I2C, sonst der erste mit Byte-Data-Unterstützung). Mit auto wählt ein genannter Adapter die Hardware; mit einer Platinendatei einen ihrer Adapter.</translation>
    </message>
    <message>
        <source>Write the simulated printer port&apos;s SCL and SDA lines to this Value Change Dump file (default: the ORT310_WIRE_TRACE variable).</source>
        <translation>Die Leitungen SCL und SDA des simulierten Druckerports in diese Value-Change-Dump-Datei schreiben (Vorgabe: die Variable ORT310_WIRE_TRACE).</translation>
    </message>
    <message>
        <source>Run on a simulated board described by this JSON file: its printer ports, SMBus adapters and chips, their temperatures and registers (default: the ORT310_BOARD variable, else the built-in board). Implies the simulated board.</source>
        <translation>Auf einer simulierten Platine laufen, die diese JSON-Datei beschreibt: ihre Druckerports, SMBus-Adapter und Chips, deren Temperaturen und Register (Vorgabe: die Variable ORT310_BOARD, sonst die eingebaute Platine). Bedeutet die simulierte Platine.</translation>
    </message>
    <message>
        <source>Unknown bus &quot;%1&quot; in %2 (use %3)</source>
        <translation>Unbekannter Bus „%1“ in %2 (möglich: %3)</translation>
    </message>
    <message>
        <source>%1 describes a simulated board, but %2 linux asks for this machine&apos;s hardware</source>
        <translation>%1 beschreibt eine simulierte Platine, aber %2 linux verlangt die Hardware dieses Rechners</translation>
    </message>
</context>
<context>
    <name>ort::ChartAccess</name>
    <message>
        <source>No readings</source>
        <translation>Keine Messwerte</translation>
    </message>
    <message>
        <source>Latest: %1</source>
        <translation>Zuletzt: %1</translation>
    </message>
    <message>
        <source>; showing %1 to %2</source>
        <translation>; angezeigt %1 bis %2</translation>
    </message>
    <message>
        <source>, scrolled back</source>
        <translation>, zurückgeblättert</translation>
    </message>
</context>
<context>
    <name>ort::ControlsPanel</name>
    <message>
        <source>ADC Sampling</source>
        <translation>ADC-Abtastung</translation>
    </message>
    <message>
        <source>Conversions a second</source>
        <translation>Wandlungen pro Sekunde</translation>
    </message>
    <message>
        <source>Adjust the ADC Sampling rate</source>
        <translation>Die Wandlungsrate des ADC einstellen</translation>
    </message>
    <message>
        <source>Easy Setup</source>
        <translation>Schnelleinrichtung</translation>
    </message>
    <message>
        <source>Automatic easy setup</source>
        <translation>Automatische Schnelleinrichtung</translation>
    </message>
</context>
<context>
    <name>ort::DesktopNotifier</name>
    <message>
        <source>%1 Alert Detected (no desktop notification service)</source>
        <translation>%1 Alarm erkannt (kein Benachrichtigungsdienst des Desktops)</translation>
    </message>
    <message>
        <source>%1 No Alert Detected (no desktop notification service)</source>
        <translation>%1 Kein Alarm erkannt (kein Benachrichtigungsdienst des Desktops)</translation>
    </message>
</context>
<context>
    <name>ort::DeviceSearch</name>
    <message>
        <source>Found an %1 at:%2h, on printer port:%3h</source>
        <translation>%1 gefunden bei:%2h, am Druckerport:%3h</translation>
    </message>
    <message>
        <source>An %1 was found at:%2h, on the SMBus</source>
        <translation>%1 gefunden bei:%2h, am SMBus</translation>
    </message>
    <message>
        <source>Please check all connections and try again</source>
        <translation>Bitte alle Verbindungen prüfen und es erneut versuchen</translation>
    </message>
    <message>
        <source>Sorry, no %1s were found.</source>
        <translation>Leider wurde kein %1 gefunden.</translation>
    </message>
</context>
<context>
    <name>ort::Errors</name>
    <message>
        <source>The operation was abandoned.</source>
        <translation>Der Vorgang wurde abgebrochen.</translation>
    </message>
    <message>
        <source>A value outside 0 to 255 was to be sent to the chip</source>
        <translation>Ein Wert außerhalb von 0 bis 255 sollte an den Chip gesendet werden</translation>
    </message>
    <message>
        <source>The program met a fault of its own (%1)</source>
        <translation>Das Programm hat einen eigenen Fehler festgestellt (%1)</translation>
    </message>
</context>
<context>
    <name>ort::GraphPanel</name>
    <message>
        <source>Graph</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Temperature graph</source>
        <translation>Temperaturverlauf</translation>
    </message>
    <message>
        <source>Remote Temperature</source>
        <translation>Externe Temperatur</translation>
    </message>
    <message>
        <source>Local Temperature</source>
        <translation>Lokale Temperatur</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Temperature (C)</source>
        <translation>Temperatur (°C)</translation>
    </message>
    <message>
        <source>Alert Detected</source>
        <translation>Alarm erkannt</translation>
    </message>
    <message>
        <source>Drag the Arrows to zoom in or out, Left Click Timestamps, Right Drag Moves Graph</source>
        <translation>Pfeile ziehen zum Zoomen, Linksklick zeigt Zeitstempel, Ziehen mit rechts verschiebt den Verlauf</translation>
    </message>
    <message>
        <source>Graphing is Stopped</source>
        <translation>Aufzeichnung gestoppt</translation>
    </message>
    <message>
        <source>Clear Graph</source>
        <translation>Verlauf leeren</translation>
    </message>
    <message>
        <source>Save Picture…</source>
        <translation>Bild speichern…</translation>
    </message>
    <message>
        <source>Save Readings…</source>
        <translation>Messwerte speichern…</translation>
    </message>
    <message>
        <source>Save Picture</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>PNG Image (*.png);;SVG Drawing (*.svg)</source>
        <translation>PNG-Bild (*.png);;SVG-Zeichnung (*.svg)</translation>
    </message>
    <message>
        <source>The picture could not be saved to %1</source>
        <translation>Das Bild konnte nicht unter %1 gespeichert werden</translation>
    </message>
    <message>
        <source>Save Readings</source>
        <translation>Messwerte speichern</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The readings could not be saved to %1</source>
        <translation>Die Messwerte konnten nicht unter %1 gespeichert werden</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>ort::InitForm</name>
    <message>
        <source>%1 Device Search</source>
        <translation>%1 Gerätesuche</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Error in Init Form Load</source>
        <translation>Fehler beim Laden des Startfensters</translation>
    </message>
    <message>
        <source>%1 Search Wizard</source>
        <translation>%1 Suchassistent</translation>
    </message>
</context>
<context>
    <name>ort::LimitGauges</name>
    <message>
        <source>Drag the pointers to change the limits</source>
        <translation>Zeiger ziehen, um die Grenzwerte zu ändern</translation>
    </message>
    <message>
        <source>Min   Max</source>
        <extracomment>Under the gauge: the low limit&apos;s pointer on the left, the high one&apos;s on the right.</extracomment>
        <translation>Min   Max</translation>
    </message>
    <message>
        <source>Remote temperature limits</source>
        <translation>Grenzwerte der externen Temperatur</translation>
    </message>
    <message>
        <source>Remote temperature low limit</source>
        <translation>Unterer Grenzwert der externen Temperatur</translation>
    </message>
    <message>
        <source>Remote temperature high limit</source>
        <translation>Oberer Grenzwert der externen Temperatur</translation>
    </message>
    <message>
        <source>Local temperature limits</source>
        <translation>Grenzwerte der lokalen Temperatur</translation>
    </message>
    <message>
        <source>Local temperature low limit</source>
        <translation>Unterer Grenzwert der lokalen Temperatur</translation>
    </message>
    <message>
        <source>Local temperature high limit</source>
        <translation>Oberer Grenzwert der lokalen Temperatur</translation>
    </message>
</context>
<context>
    <name>ort::LogPanel</name>
    <message>
        <source>Logging to File</source>
        <translation>Aufzeichnung läuft</translation>
    </message>
    <message>
        <source>Not Logging to File</source>
        <translation>Keine Aufzeichnung</translation>
    </message>
    <message>
        <source>Log to File</source>
        <translation>In Datei aufzeichnen</translation>
    </message>
    <message>
        <source>Make New Log</source>
        <translation>Neue Aufzeichnung</translation>
    </message>
    <message>
        <source>Delay(Sec):</source>
        <translation>Abstand (s):</translation>
    </message>
    <message>
        <source>Logged:</source>
        <translation>Erfasst:</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Excel Files (*.xls)</source>
        <translation>Excel-Dateien (*.xls)</translation>
    </message>
    <message>
        <source>There was a Problem!</source>
        <translation>Es gab ein Problem!</translation>
    </message>
    <message>
        <source>Either an invalid filename or no file was selected, no settings were loaded.</source>
        <translation>Entweder ein ungültiger Dateiname oder keine Datei gewählt; keine Einstellungen geladen.</translation>
    </message>
    <message>
        <source>The log file could not be written: %1</source>
        <translation>Die Aufzeichnungsdatei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Logging stopped.</source>
        <translation>Aufzeichnung beendet.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>There has been a problem writing to the log file.</source>
        <translation>Beim Schreiben der Aufzeichnungsdatei ist ein Problem aufgetreten.</translation>
    </message>
    <message>
        <source>This file may be locked by another application.</source>
        <translation>Die Datei ist vielleicht von einem anderen Programm gesperrt.</translation>
    </message>
</context>
<context>
    <name>ort::MainMenuForm</name>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation>Desktop-Benachrichtigungen</translation>
    </message>
    <message>
        <source>Tell the desktop when the alert lamp turns red and when it returns</source>
        <translation>Dem Desktop melden, wenn die Alarmlampe rot wird und wenn sie zurückgeht</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Read/Write</source>
        <translation>Lesen/Schreiben</translation>
    </message>
    <message>
        <source>Control Center</source>
        <translation>Steuerung</translation>
    </message>
    <message>
        <source>Evaluation Software</source>
        <translation>Evaluierungssoftware</translation>
    </message>
    <message>
        <source>(Ver. %1)</source>
        <translation>(Vers. %1)</translation>
    </message>
    <message>
        <source>About this software</source>
        <translation>Über diese Software</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Bus Console…</source>
        <translation>Buskonsole…</translation>
    </message>
    <message>
        <source>Every transfer on the bus, live (Ctrl+B)</source>
        <translation>Jede Übertragung auf dem Bus, laufend (Strg+B)</translation>
    </message>
</context>
<context>
    <name>ort::MeasurementCycle</name>
    <message>
        <source>Graphing Now</source>
        <translation>Aufzeichnung läuft</translation>
    </message>
    <message>
        <source>Graphing Stopped</source>
        <translation>Aufzeichnung gestoppt</translation>
    </message>
    <message>
        <source>Checking for a software Alert</source>
        <translation>Prüfung auf Software-Alarm</translation>
    </message>
    <message>
        <source>Not checking for a software Alert</source>
        <translation>Keine Prüfung auf Software-Alarm</translation>
    </message>
    <message>
        <source>Bargraphs are On</source>
        <translation>Balken sind an</translation>
    </message>
    <message>
        <source>Bargraphs are Off</source>
        <translation>Balken sind aus</translation>
    </message>
    <message>
        <source>Monitoring stopped.</source>
        <translation>Überwachung beendet.</translation>
    </message>
</context>
<context>
    <name>ort::MediumPanel</name>
    <message>
        <source>Parallel Printer Port</source>
        <translation>Paralleler Druckerport</translation>
    </message>
    <message>
        <source>On-Board SMBus</source>
        <translation>SMBus der Hauptplatine</translation>
    </message>
    <message>
        <source>SMBus base address, hex</source>
        <translation>SMBus-Basisadresse, hex</translation>
    </message>
    <message>
        <source>SMBus adapter</source>
        <translation>SMBus-Adapter</translation>
    </message>
    <message>
        <source>Connect the evaluation board to the printer port</source>
        <translation>Die Evaluierungsplatine an den Druckerport anschließen</translation>
    </message>
    <message>
        <source>Remember to connect the %1 evaluation board to the printer port</source>
        <translation>Die %1-Evaluierungsplatine an den Druckerport anschließen</translation>
    </message>
    <message>
        <source>The Southbridge or ICH of Intel chipsets. For unsupported Intel chipsets, enter SMBBA here (Hex).</source>
        <translation>Die Southbridge bzw. der ICH von Intel-Chipsätzen. Bei nicht unterstützten Intel-Chipsätzen hier SMBBA eingeben (hex).</translation>
    </message>
    <message>
        <source>Sorry, SMBus communication is only supported on Windows 95,98 and ME.</source>
        <translation>SMBus-Verbindung wird leider nur unter Windows 95, 98 und ME unterstützt.</translation>
    </message>
    <message>
        <source>Sorry, USB communication is not supported on Windows 95.</source>
        <translation>USB-Verbindung wird unter Windows 95 leider nicht unterstützt.</translation>
    </message>
    <message>
        <source>Click &apos;Next&apos; to search for the %1.</source>
        <translation>„Weiter“ anklicken, um den %1 zu suchen.</translation>
    </message>
    <message>
        <source>A problem was detected</source>
        <translation>Ein Problem wurde erkannt</translation>
    </message>
    <message>
        <source>Please select a search medium</source>
        <translation>Bitte ein Suchmedium wählen</translation>
    </message>
</context>
<context>
    <name>ort::OneShotPanel</name>
    <message>
        <source>One Shot</source>
        <translation>Einzelmessung</translation>
    </message>
    <message>
        <source>Standby Mode</source>
        <translation>Standby-Modus</translation>
    </message>
    <message>
        <source>Standby Mode is Off</source>
        <translation>Standby ist aus</translation>
    </message>
    <message>
        <source>Make One-Shot Measurement</source>
        <translation>Einzelmessung auslösen</translation>
    </message>
    <message>
        <source>Temperature Found:</source>
        <translation>Gemessen:</translation>
    </message>
    <message>
        <source>Standby Mode is On</source>
        <translation>Standby ist an</translation>
    </message>
    <message>
        <source>Temperature Found</source>
        <translation>Gemessene Temperatur</translation>
    </message>
</context>
<context>
    <name>ort::RegisterEditor</name>
    <message>
        <source>Continuous reading stopped.</source>
        <translation>Dauerlesen beendet.</translation>
    </message>
    <message>
        <source>The hexadecimal entry &quot;%1&quot; is not a hexadecimal number.</source>
        <translation>Die hexadezimale Eingabe „%1“ ist keine Hexadezimalzahl.</translation>
    </message>
    <message>
        <source>The decimal entry &quot;%1&quot; is not a decimal number.</source>
        <translation>Die dezimale Eingabe „%1“ ist keine Dezimalzahl.</translation>
    </message>
    <message>
        <source>The hexadecimal entry &quot;%1&quot; is not a value from 0 to 255, which is what a register holds.</source>
        <translation>Die hexadezimale Eingabe „%1“ ist kein Wert von 0 bis 255, wie ihn ein Register fasst.</translation>
    </message>
    <message>
        <source>The decimal entry &quot;%1&quot; is not a value from 0 to 255, which is what a register holds.</source>
        <translation>Die dezimale Eingabe „%1“ ist kein Wert von 0 bis 255, wie ihn ein Register fasst.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>ort::RegisterInfoPanel</name>
    <message>
        <source>Current register type</source>
        <translation>Aktueller Registertyp</translation>
    </message>
    <message>
        <source>Current register address, hex</source>
        <translation>Aktuelle Registeradresse, hex</translation>
    </message>
    <message>
        <source>Previous value read, hex</source>
        <translation>Zuletzt gelesener Wert, hex</translation>
    </message>
    <message>
        <source>Previous value read, decimal</source>
        <translation>Zuletzt gelesener Wert, dezimal</translation>
    </message>
    <message>
        <source>Previous value written, hex</source>
        <translation>Zuletzt geschriebener Wert, hex</translation>
    </message>
    <message>
        <source>Previous value written, decimal</source>
        <translation>Zuletzt geschriebener Wert, dezimal</translation>
    </message>
    <message>
        <source>Current Register Type:</source>
        <translation>Registertyp:</translation>
    </message>
    <message>
        <source>Current Register Address:</source>
        <translation>Registeradresse:</translation>
    </message>
    <message>
        <source>(Hex)</source>
        <translation>(hex)</translation>
    </message>
    <message>
        <source>Previous value read :</source>
        <translation>Zuletzt gelesen:</translation>
    </message>
    <message>
        <source>(Dec)</source>
        <translation>(dez)</translation>
    </message>
    <message>
        <source>Previous value written:</source>
        <translation>Zuletzt geschrieben:</translation>
    </message>
</context>
<context>
    <name>ort::ResultsPanel</name>
    <message>
        <source>Search Results</source>
        <translation>Suchergebnisse</translation>
    </message>
    <message>
        <source>Please select one of the %1s found above.</source>
        <translation>Bitte einen der oben gefundenen %1 wählen.</translation>
    </message>
    <message>
        <source>Click &apos;Next&apos; to Continue</source>
        <translation>„Weiter“ anklicken, um fortzufahren</translation>
    </message>
    <message>
        <source>Click &apos;Finish&apos; to Continue</source>
        <translation>„Fertig“ anklicken, um fortzufahren</translation>
    </message>
    <message>
        <source>Click Back to continue...</source>
        <translation>„Zurück“ anklicken, um fortzufahren …</translation>
    </message>
</context>
<context>
    <name>ort::SearchingPanel</name>
    <message>
        <source>Searching</source>
        <translation>Suche läuft</translation>
    </message>
    <message>
        <source>Search progress</source>
        <translation>Suchfortschritt</translation>
    </message>
    <message>
        <source>Please wait while searching for available %1s.</source>
        <translation>Bitte warten, während nach verfügbaren %1 gesucht wird.</translation>
    </message>
</context>
<context>
    <name>ort::Settings</name>
    <message>
        <source>The settings in %1 cannot be read; the program starts from the defaults and keeps choices for this run only.</source>
        <translation>Die Einstellungen in %1 können nicht gelesen werden; das Programm beginnt mit den Vorgaben und behält Änderungen nur für diesen Lauf.</translation>
    </message>
    <message>
        <source>%1 does not hold settings; the program starts from the defaults and writes the file anew.</source>
        <translation>%1 enthält keine Einstellungen; das Programm beginnt mit den Vorgaben und schreibt die Datei neu.</translation>
    </message>
    <message>
        <source>The settings cannot be written to %1; choices are kept for this run only.</source>
        <translation>Die Einstellungen können nicht in %1 geschrieben werden; Änderungen gelten nur für diesen Lauf.</translation>
    </message>
</context>
<context>
    <name>ort::StatusLine</name>
    <message>
        <source>%1 at %2h on printer port %3h</source>
        <translation>%1 bei %2h am Druckerport %3h</translation>
    </message>
    <message>
        <source>%1 at %2h on the SMBus</source>
        <translation>%1 bei %2h am SMBus</translation>
    </message>
    <message>
        <source>, adapter %1</source>
        <translation>, Adapter %1</translation>
    </message>
    <message>
        <source> at %1h</source>
        <translation> bei %1h</translation>
    </message>
    <message>
        <source> (simulated board)</source>
        <translation> (simulierte Platine)</translation>
    </message>
</context>
<context>
    <name>ort::StripChart</name>
    <message>
        <source>End: back to live</source>
        <translation>Ende: zurück zur laufenden Anzeige</translation>
    </message>
</context>
<context>
    <name>ort::Text</name>
    <message>
        <source>%1 Evaluation Software</source>
        <translation>%1 Evaluierungssoftware</translation>
    </message>
</context>
<context>
    <name>ort::TransferModel</name>
    <message>
        <source>Bus time: how long the lines were driven</source>
        <translation>Buszeit: wie lange die Leitungen getrieben wurden</translation>
    </message>
</context>
<context>
    <name>ort::TransferText</name>
    <message>
        <source>Time (s)</source>
        <translation>Zeit (s)</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>Weg</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>R/W</source>
        <translation>L/S</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Took (µs)</source>
        <translation>Dauer (µs)</translation>
    </message>
    <message>
        <source>printer port %1h</source>
        <translation>Druckerport %1h</translation>
    </message>
    <message>
        <source>SMBus at %1h</source>
        <translation>SMBus bei %1h</translation>
    </message>
    <message>
        <source>read</source>
        <translation>lesen</translation>
    </message>
    <message>
        <source>write</source>
        <translation>schreiben</translation>
    </message>
    <message>
        <source>acknowledged</source>
        <translation>quittiert</translation>
    </message>
    <message>
        <source>not acknowledged</source>
        <translation>nicht quittiert</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>ort::WelcomePanel</name>
    <message>
        <source>This %1 Search Wizard will find any %1s that can be controlled by this software</source>
        <translation>Dieser %1-Suchassistent findet alle %1, die diese Software steuern kann</translation>
    </message>
    <message>
        <source>Click &apos;Next&apos; to start.</source>
        <translation>„Weiter“ anklicken, um zu beginnen.</translation>
    </message>
</context>
<context>
    <name>ort::WizardButtons</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>ort::WritePanel</name>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Update with the written value in the Textbox</source>
        <translation>Mit dem Wert im Textfeld schreiben</translation>
    </message>
    <message>
        <source>%1 from the %2 box</source>
        <translation>%1 aus dem Feld %2</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>Write hex value</source>
        <translation>Hex-Wert schreiben</translation>
    </message>
    <message>
        <source>Dec</source>
        <translation>Dez</translation>
    </message>
    <message>
        <source>Write decimal value</source>
        <translation>Dezimalwert schreiben</translation>
    </message>
</context>
<context>
    <name>ort::cli::Alerts</name>
    <message>
        <source>The --on-alert command for the alert&apos;s %1 could not be run: %2; ort310 goes on</source>
        <translation>Der Befehl von --on-alert für %1 des Alarms konnte nicht ausgeführt werden: %2; ort310 macht weiter</translation>
    </message>
    <message>
        <source>The --on-alert command for the alert&apos;s %1 still ran after %2 s and was ended</source>
        <translation>Der Befehl von --on-alert für %1 des Alarms lief nach %2 s noch und wurde beendet</translation>
    </message>
    <message>
        <source>The --on-alert command for the alert&apos;s %1 failed (%2); ort310 goes on</source>
        <translation>Der Befehl von --on-alert für %1 des Alarms schlug fehl (%2); ort310 macht weiter</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>Rückgabewert %1</translation>
    </message>
    <message>
        <source>it crashed</source>
        <translation>er ist abgestürzt</translation>
    </message>
</context>
<context>
    <name>ort::cli::ChipReader</name>
    <message>
        <source>Serving ort310_chip_up 0 and searching again at every reading.</source>
        <translation>Liefere ort310_chip_up 0 und suche bei jedem Lesen erneut.</translation>
    </message>
    <message>
        <source>reading 1 chip: %1</source>
        <translation>lese 1 Chip: %1</translation>
    </message>
    <message numerus="yes">
        <source>reading %n chips: %1</source>
        <translation>
            <numerusform>lese %n Chip: %1</numerusform>
            <numerusform>lese %n Chips: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 answers again</source>
        <translation>%1 antwortet wieder</translation>
    </message>
    <message>
        <source>%1 does not answer (%2); ort310_chip_up is 0 until it does</source>
        <translation>%1 antwortet nicht (%2); ort310_chip_up ist 0, bis er antwortet</translation>
    </message>
</context>
<context>
    <name>ort::cli::Doctor</name>
    <message>
        <source>This build has no Linux component (it was built without libi2c): only the simulated board can be used</source>
        <translation>Dieser Build hat keine Linux-Komponente (er wurde ohne libi2c gebaut): nur die simulierte Platine ist nutzbar</translation>
    </message>
    <message>
        <source>You are in the group %1, which may open %2, but this login is not yet: log in again</source>
        <translation>Sie sind in der Gruppe %1, die %2 öffnen darf, diese Anmeldung aber noch nicht: bitte neu anmelden</translation>
    </message>
    <message>
        <source>%1 is open to root only: give it to the group %2 with a udev rule (KERNEL==&quot;%3&quot;, GROUP=&quot;%2&quot;, MODE=&quot;0660&quot; in /etc/udev/rules.d/60-ort310.rules; sudo groupadd -f %2), then </source>
        <translation>%1 ist nur für root offen: mit einer udev-Regel der Gruppe %2 geben (KERNEL==&quot;%3&quot;, GROUP=&quot;%2&quot;, MODE=&quot;0660&quot; in /etc/udev/rules.d/60-ort310.rules; sudo groupadd -f %2), dann </translation>
    </message>
    <message>
        <source>join the group %1 to use %2: sudo usermod -aG %1 %3, then log in again</source>
        <translation>der Gruppe %1 beitreten, um %2 zu nutzen: sudo usermod -aG %1 %3, dann neu anmelden</translation>
    </message>
    <message>
        <source>usable</source>
        <translation>nutzbar</translation>
    </message>
    <message>
        <source>its I/O base is not shown by the system, so it is not used</source>
        <translation>das System zeigt seine I/O-Basis nicht, daher wird er nicht benutzt</translation>
    </message>
    <message>
        <source>  %1  base %2  %3 %4:%5  %6</source>
        <translation>  %1  Basis %2  %3 %4:%5  %6</translation>
    </message>
    <message numerus="yes">
        <source>The kernel has %n printer port(s) but the ppdev module is not loaded: sudo modprobe ppdev</source>
        <translation>
            <numerusform>Der Kernel hat %n Druckerport, aber das Modul ppdev ist nicht geladen: sudo modprobe ppdev</numerusform>
            <numerusform>Der Kernel hat %n Druckerports, aber das Modul ppdev ist nicht geladen: sudo modprobe ppdev</numerusform>
        </translation>
    </message>
    <message>
        <source>no device node</source>
        <translation>kein Geräteknoten</translation>
    </message>
    <message>
        <source>no device node (i2c-dev is not loaded)</source>
        <translation>kein Geräteknoten (i2c-dev ist nicht geladen)</translation>
    </message>
    <message>
        <source>usable, byte-data transfers</source>
        <translation>nutzbar, Byte-Data-Übertragungen</translation>
    </message>
    <message>
        <source>opens, but has no byte-data transfers: the chip cannot be reached on it</source>
        <translation>öffnet, hat aber keine Byte-Data-Übertragungen: der Chip ist darüber nicht erreichbar</translation>
    </message>
    <message>
        <source>The i2c-dev module is not loaded, so no SMBus adapter can be used: sudo modprobe i2c-dev (and add i2c-dev to /etc/modules to load it at every start)</source>
        <translation>Das Modul i2c-dev ist nicht geladen, daher ist kein SMBus-Adapter nutzbar: sudo modprobe i2c-dev (und i2c-dev in /etc/modules eintragen, damit es bei jedem Start geladen wird)</translation>
    </message>
    <message>
        <source>This machine shows neither a printer port nor an SMBus adapter; the simulated board (--bus sim) works without either</source>
        <translation>Dieser Rechner zeigt weder einen Druckerport noch einen SMBus-Adapter; die simulierte Platine (--bus sim) geht ohne beides</translation>
    </message>
    <message>
        <source>loaded</source>
        <translation>geladen</translation>
    </message>
    <message>
        <source>not loaded</source>
        <translation>nicht geladen</translation>
    </message>
    <message>
        <source>What the Linux component sees, as the user %1:</source>
        <translation>Was die Linux-Komponente sieht, als Benutzer %1:</translation>
    </message>
    <message>
        <source>Printer ports (ppdev %1):</source>
        <translation>Druckerports (ppdev %1):</translation>
    </message>
    <message>
        <source>  none</source>
        <translation>  keine</translation>
    </message>
    <message>
        <source>SMBus adapters (i2c-dev %1):</source>
        <translation>SMBus-Adapter (i2c-dev %1):</translation>
    </message>
    <message>
        <source>The SMBus route cannot be used: %1.</source>
        <translation>Der Weg über den SMBus ist nicht nutzbar: %1.</translation>
    </message>
    <message>
        <source>The SMBus route uses %1.</source>
        <translation>Der Weg über den SMBus nutzt %1.</translation>
    </message>
    <message>
        <source>This run talks to the simulated board described by %1.</source>
        <translation>Dieser Lauf spricht mit der simulierten Platine, die %1 beschreibt.</translation>
    </message>
    <message>
        <source>This run talks to the simulated board (bus sim); --bus linux talks to the above.</source>
        <translation>Dieser Lauf spricht mit der simulierten Platine (bus sim); --bus linux spricht mit dem oben Gezeigten.</translation>
    </message>
    <message>
        <source>This run (bus auto) talks to the above.</source>
        <translation>Dieser Lauf (bus auto) spricht mit dem oben Gezeigten.</translation>
    </message>
    <message>
        <source>This run (bus auto) talks to the simulated board: %1.</source>
        <translation>Dieser Lauf (bus auto) spricht mit der simulierten Platine: %1.</translation>
    </message>
    <message>
        <source>What to do:</source>
        <translation>Was zu tun ist:</translation>
    </message>
    <message>
        <source>Nothing: ort310 --bus linux scan finds the chip on what is usable above</source>
        <translation>Nichts: ort310 --bus linux scan findet den Chip auf dem oben Nutzbaren</translation>
    </message>
    <message>
        <source>Connect the evaluation board to a printer port or the chip to an SMBus adapter</source>
        <translation>Die Evaluierungsplatine an einen Druckerport oder den Chip an einen SMBus-Adapter anschließen</translation>
    </message>
</context>
<context>
    <name>ort::cli::Help</name>
    <message>
        <source>Search for the chip and list every one found.</source>
        <translation>Den Chip suchen und jeden gefundenen auflisten.</translation>
    </message>
    <message>
        <source>Searches the printer ports and the SMBus (or what --route, --port and --address leave) for the chip at each of its nine addresses and lists every one found, one line each, as the search wizard does. Exits with 1 when none is found.</source>
        <translation>Sucht an den Druckerports und am SMBus (oder dem, was --route, --port und --address übrig lassen) den Chip an jeder seiner neun Adressen und listet jeden gefundenen auf, eine Zeile je Chip, wie der Suchassistent. Endet mit 1, wenn keiner gefunden wird.</translation>
    </message>
    <message>
        <source>Identification, configuration, conversion rate, limits and status, decoded.</source>
        <translation>Kennung, Konfiguration, Wandlungsrate, Grenzwerte und Status, entschlüsselt.</translation>
    </message>
    <message>
        <source>Reads the chip&apos;s identification, configuration, conversion rate, four limits and status and shows them decoded. Reading the status clears the chip&apos;s latched flags, as any status read does.</source>
        <translation>Liest Kennung, Konfiguration, Wandlungsrate, die vier Grenzwerte und den Status des Chips und zeigt sie entschlüsselt. Das Lesen des Status löscht die gespeicherten Flags des Chips, wie jedes Lesen des Status.</translation>
    </message>
    <message>
        <source>Local and remote temperature in degrees Celsius.</source>
        <translation>Lokale und externe Temperatur in Grad Celsius.</translation>
    </message>
    <message>
        <source>Reads the local and the remote temperature, in whole degrees Celsius, signed as the chip holds them. With --watch, prints a line each interval until Ctrl+C, marked ALERT while the window&apos;s alert lamp would be red (the status is read before each line, which clears the chip&apos;s latched flags).</source>
        <translation>Liest die lokale und die externe Temperatur in ganzen Grad Celsius, mit Vorzeichen, wie der Chip sie hält. Mit --watch eine Zeile je Intervall bis Strg+C, mit ALERT markiert, solange die Alarmlampe des Fensters rot wäre (vor jeder Zeile wird der Status gelesen, was die gespeicherten Flags des Chips löscht).</translation>
    </message>
    <message>
        <source>Read a register, or every register of the map.</source>
        <translation>Ein Register lesen oder jedes Register der Tabelle.</translation>
    </message>
    <message>
        <source>Reads a register given by address (decimal 2, hexadecimal 0x02 or 2h) or by name (status, configuration, conversion-rate, local-temp-high-limit, ...), or all twelve registers of the register map. A write address reads the register it writes.</source>
        <translation>Liest ein Register, gegeben durch seine Adresse (dezimal 2, hexadezimal 0x02 oder 2h) oder seinen Namen (status, configuration, conversion-rate, local-temp-high-limit, …), oder alle zwölf Register der Tabelle. Eine Schreibadresse liest das Register, das sie schreibt.</translation>
    </message>
    <message>
        <source>Write a value, 0 to 255, to a writable register.</source>
        <translation>Einen Wert von 0 bis 255 in ein beschreibbares Register schreiben.</translation>
    </message>
    <message>
        <source>Writes VALUE (decimal 26, hexadecimal 0x1A or 1Ah, 0 to 255) to a register given by address or name; a register read at one address and written at another is written at its write address. Read-only registers are refused.</source>
        <translation>Schreibt VALUE (dezimal 26, hexadezimal 0x1A oder 1Ah, 0 bis 255) in ein Register, gegeben durch Adresse oder Namen; ein Register, das an einer Adresse gelesen und an einer anderen geschrieben wird, wird an seiner Schreibadresse geschrieben. Nur lesbare Register werden abgelehnt.</translation>
    </message>
    <message>
        <source>Show the four temperature limits, or set any of them.</source>
        <translation>Die vier Temperaturgrenzwerte zeigen oder beliebige davon setzen.</translation>
    </message>
    <message>
        <source>Shows the local and remote high and low limits in degrees Celsius, after setting those given. A setting that would leave a high limit below its low limit is refused.</source>
        <translation>Zeigt die oberen und unteren Grenzwerte lokal und extern in Grad Celsius, nachdem die angegebenen gesetzt sind. Eine Einstellung, die einen oberen Grenzwert unter seinem unteren ließe, wird abgelehnt.</translation>
    </message>
    <message>
        <source>Show the conversion rate, or set it by code or per second.</source>
        <translation>Die Wandlungsrate zeigen oder sie als Code oder pro Sekunde setzen.</translation>
    </message>
    <message>
        <source>Shows the conversion rate, after setting it to CODE (0 to 7, 0.0625 to 8 conversions per second) or to the rate given with --per-second.</source>
        <translation>Zeigt die Wandlungsrate, nachdem sie auf CODE (0 bis 7, 0,0625 bis 8 Wandlungen pro Sekunde) oder auf die mit --per-second gegebene Rate gesetzt ist.</translation>
    </message>
    <message>
        <source>Show standby, or switch it on or off.</source>
        <translation>Standby zeigen oder ein- bzw. ausschalten.</translation>
    </message>
    <message>
        <source>Shows whether the chip is in standby (no automatic conversions), after switching it on or off.</source>
        <translation>Zeigt, ob der Chip im Standby ist (keine selbsttätigen Wandlungen), nachdem er ein- oder ausgeschaltet ist.</translation>
    </message>
    <message>
        <source>Start one conversion and show its temperatures.</source>
        <translation>Eine Wandlung starten und ihre Temperaturen zeigen.</translation>
    </message>
    <message>
        <source>Starts one conversion (in standby; a converting chip goes on by itself), waits for it and shows both temperatures.</source>
        <translation>Startet eine Wandlung (im Standby; ein wandelnder Chip macht von selbst weiter), wartet auf sie und zeigt beide Temperaturen.</translation>
    </message>
    <message>
        <source>Read the SMBus alert response address to release ALERT.</source>
        <translation>Die SMBus-Alert-Response-Adresse lesen, um ALERT freizugeben.</translation>
    </message>
    <message>
        <source>Reads the SMBus alert response address on the route in use, which releases the chip&apos;s ALERT output, and says which device answered, if any.</source>
        <translation>Liest die SMBus-Alert-Response-Adresse auf dem benutzten Weg, was den ALERT-Ausgang des Chips freigibt, und sagt, welches Gerät geantwortet hat, falls eines.</translation>
    </message>
    <message>
        <source>Log both temperatures to a file until a count, a time or Ctrl+C.</source>
        <translation>Beide Temperaturen in eine Datei aufzeichnen, bis zu einer Anzahl, einer Zeit oder Strg+C.</translation>
    </message>
    <message>
        <source>What this machine offers the Linux component, and what to do.</source>
        <translation>Was dieser Rechner der Linux-Komponente bietet, und was zu tun ist.</translation>
    </message>
    <message>
        <source>Shows what the Linux component sees: printer ports, SMBus adapters with their names and byte-data support, permissions and the group that grants them, whether the i2c-dev module is loaded, and what to do. Exits with 1 when neither a printer port nor an SMBus adapter can be used.</source>
        <translation>Zeigt, was die Linux-Komponente sieht: Druckerports, SMBus-Adapter mit Namen und Byte-Data-Unterstützung, Rechte und die Gruppe, die sie gewährt, ob das Modul i2c-dev geladen ist, und was zu tun ist. Endet mit 1, wenn weder ein Druckerport noch ein SMBus-Adapter nutzbar ist.</translation>
    </message>
    <message>
        <source>Serve every chip&apos;s readings to Prometheus over HTTP, read-only.</source>
        <translation>Die Messwerte jedes Chips über HTTP an Prometheus liefern, nur lesend.</translation>
    </message>
    <message>
        <source>Searches for the chip (or takes what --route, --port and --address leave), then reads every chip found at each --interval from one thread that owns the bus, and answers HTTP GET /metrics in Prometheus&apos;s text format from the last readings: a scrape never touches the bus, and nothing is ever written to the chip. Listens on 127.0.0.1:9310 (this machine only) unless --listen names another address. A chip that stops answering is served as ort310_chip_up 0 until it answers again. Ctrl+C or SIGTERM ends it; a port in use ends it with status 1.</source>
        <translation>Sucht den Chip (oder nimmt, was --route, --port und --address übrig lassen), liest dann jeden gefundenen Chip in jedem --interval aus einem Thread, dem der Bus gehört, und beantwortet HTTP GET /metrics im Textformat von Prometheus aus den letzten Messwerten: eine Abfrage berührt nie den Bus, und in den Chip wird nie geschrieben. Lauscht auf 127.0.0.1:9310 (nur dieser Rechner), sofern --listen keine andere Adresse nennt. Ein Chip, der nicht mehr antwortet, wird als ort310_chip_up 0 geliefert, bis er wieder antwortet. Strg+C oder SIGTERM beendet den Dienst; ein belegter Port beendet ihn mit Status 1.</translation>
    </message>
    <message>
        <source>Show this help and stop.</source>
        <translation>Diese Hilfe zeigen und enden.</translation>
    </message>
    <message>
        <source>Show the version and stop.</source>
        <translation>Die Version zeigen und enden.</translation>
    </message>
    <message>
        <source>Talk to the chip on this medium only: printer (the printer-port board) or smbus (default: search both, printer ports first; the first chip found is used).</source>
        <translation>Nur auf diesem Medium mit dem Chip sprechen: printer (die Platine am Druckerport) oder smbus (Vorgabe: beide durchsuchen, zuerst die Druckerports; der erste gefundene Chip wird benutzt).</translation>
    </message>
    <message>
        <source>The printer port at this I/O base, in hexadecimal (378); implies --route printer.</source>
        <translation>Der Druckerport an dieser I/O-Basis, hexadezimal (378); bedeutet --route printer.</translation>
    </message>
    <message>
        <source>The chip&apos;s 7-bit address in hexadecimal (4C); only it is probed.</source>
        <translation>Die 7-Bit-Adresse des Chips, hexadezimal (4C); nur sie wird abgefragt.</translation>
    </message>
    <message>
        <source>Print the result as JSON, for scripts.</source>
        <translation>Das Ergebnis als JSON ausgeben, für Skripte.</translation>
    </message>
    <message>
        <source>Run this command at each start and at each end of an alert, without a shell (an argument with spaces goes in double quotes). Its environment holds ORT310_ALERT (start or end), ORT310_TIME, ORT310_REMOTE, ORT310_LOCAL, ORT310_STATUS, ORT310_FLAGS and ORT310_CHIP.</source>
        <translation>Diesen Befehl bei jedem Beginn und jedem Ende eines Alarms ausführen, ohne Shell (ein Argument mit Leerzeichen steht in doppelten Anführungszeichen). Seine Umgebung enthält ORT310_ALERT (start oder end), ORT310_TIME, ORT310_REMOTE, ORT310_LOCAL, ORT310_STATUS, ORT310_FLAGS und ORT310_CHIP.</translation>
    </message>
    <message>
        <source>Print a line every this many seconds until Ctrl+C.</source>
        <translation>Alle so viele Sekunden eine Zeile ausgeben, bis Strg+C.</translation>
    </message>
    <message>
        <source>Set the local high limit.</source>
        <translation>Den lokalen oberen Grenzwert setzen.</translation>
    </message>
    <message>
        <source>Set the local low limit.</source>
        <translation>Den lokalen unteren Grenzwert setzen.</translation>
    </message>
    <message>
        <source>Set the remote high limit.</source>
        <translation>Den externen oberen Grenzwert setzen.</translation>
    </message>
    <message>
        <source>Set the remote low limit.</source>
        <translation>Den externen unteren Grenzwert setzen.</translation>
    </message>
    <message>
        <source>Set the rate in conversions per second: 0.0625 (or 1/16), 0.125, 0.25, 0.5, 1, 2, 4 or 8.</source>
        <translation>Die Rate in Wandlungen pro Sekunde setzen: 0.0625 (oder 1/16), 0.125, 0.25, 0.5, 1, 2, 4 oder 8.</translation>
    </message>
    <message>
        <source>Seconds from one record to the next (default 5; 0 = as fast as the bus allows).</source>
        <translation>Sekunden von einem Datensatz zum nächsten (Vorgabe 5; 0 = so schnell der Bus erlaubt).</translation>
    </message>
    <message>
        <source>Stop after this many records.</source>
        <translation>Nach so vielen Datensätzen enden.</translation>
    </message>
    <message>
        <source>Stop after this many seconds.</source>
        <translation>Nach so vielen Sekunden enden.</translation>
    </message>
    <message>
        <source>tsv (the window program&apos;s log), csv or jsonl.</source>
        <translation>tsv (die Aufzeichnung des Fensterprogramms), csv oder jsonl.</translation>
    </message>
    <message>
        <source>Answer scrapes at this address and port (default 127.0.0.1:9310, this machine only; [::1]:9310 for IPv6; port 0 takes a free one).</source>
        <translation>Abfragen an dieser Adresse und diesem Port beantworten (Vorgabe 127.0.0.1:9310, nur dieser Rechner; [::1]:9310 für IPv6; Port 0 nimmt einen freien).</translation>
    </message>
    <message>
        <source>Seconds from one reading of the chips to the next (default 1).</source>
        <translation>Sekunden von einem Lesen der Chips zum nächsten (Vorgabe 1).</translation>
    </message>
    <message>
        <source>Usage: %1 [options] command [arguments]

</source>
        <translation>Aufruf: %1 [Optionen] Befehl [Argumente]

</translation>
    </message>
    <message>
        <source>Talks to the %1 temperature-monitor chip on a printer-port evaluation board or on an SMBus adapter, through the same bus access component as the window program %2eval, without a display: for scripts, test benches and logging over SSH. Exit status: 0 done, 1 a bus or file failure (or no chip found), 2 a usage error; messages go to standard error.</source>
        <translation>Spricht mit dem Temperaturwächter %1 auf einer Evaluierungsplatine am Druckerport oder an einem SMBus-Adapter, über dieselbe Buszugriffskomponente wie das Fensterprogramm %2eval, ohne Bildschirm: für Skripte, Prüfstände und Aufzeichnungen über SSH. Rückgabewert: 0 erledigt, 1 ein Bus- oder Dateifehler (oder kein Chip gefunden), 2 ein Bedienfehler; Meldungen gehen auf die Standardfehlerausgabe.</translation>
    </message>
    <message>
        <source>
Commands:
</source>
        <translation>
Befehle:
</translation>
    </message>
    <message>
        <source>
Options of %1:</source>
        <translation>
Optionen von %1:</translation>
    </message>
    <message>
        <source>
Each command&apos;s help: %1 COMMAND --help.
</source>
        <translation>
Die Hilfe jedes Befehls: %1 BEFEHL --help.
</translation>
    </message>
    <message>
        <source>
Environment:
</source>
        <translation>
Umgebung:
</translation>
    </message>
    <message>
        <source>ORT310_BUS, ORT310_I2C and ORT310_WIRE_TRACE stand for --bus, --i2c and --wire-trace when those are not given.</source>
        <translation>ORT310_BUS, ORT310_I2C und ORT310_WIRE_TRACE stehen für --bus, --i2c und --wire-trace, wenn diese nicht gegeben sind.</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2 %3</source>
        <translation>Aufruf: %1 [Optionen] %2 %3</translation>
    </message>
    <message>
        <source>
The options of every command (--bus, --route, --address, --json, ...): %1 --help.
</source>
        <translation>
Die Optionen jedes Befehls (--bus, --route, --address, --json, …): %1 --help.
</translation>
    </message>
    <message>
        <source>Unknown route &quot;%1&quot; (use printer or smbus)</source>
        <translation>Unbekannter Weg „%1“ (möglich: printer oder smbus)</translation>
    </message>
    <message>
        <source>--port names a printer port, which the SMBus route does not use</source>
        <translation>--port nennt einen Druckerport, den der Weg über den SMBus nicht nutzt</translation>
    </message>
    <message>
        <source>%1 needs %2 (%3 %1 --help)</source>
        <translation>%1 braucht %2 (%3 %1 --help)</translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot; after %2</source>
        <translation>Unerwartetes Argument „%1“ nach %2</translation>
    </message>
    <message>
        <source>Unknown log format &quot;%1&quot; (use tsv, csv or jsonl)</source>
        <translation>Unbekanntes Aufzeichnungsformat „%1“ (möglich: tsv, csv oder jsonl)</translation>
    </message>
    <message>
        <source>--on-alert needs a command</source>
        <translation>--on-alert braucht einen Befehl</translation>
    </message>
    <message>
        <source>The command of --on-alert, &quot;%1&quot;, is not a program that can be run</source>
        <translation>Der Befehl von --on-alert, „%1“, ist kein ausführbares Programm</translation>
    </message>
    <message>
        <source>--watch needs an interval above 0 s</source>
        <translation>--watch braucht ein Intervall über 0 s</translation>
    </message>
    <message>
        <source>--on-alert needs --watch: one reading has no start or end of an alert</source>
        <translation>--on-alert braucht --watch: ein einzelnes Lesen hat weder Beginn noch Ende eines Alarms</translation>
    </message>
    <message>
        <source>The register %1 (%2) is read-only</source>
        <translation>Das Register %1 (%2) ist nur lesbar</translation>
    </message>
    <message>
        <source>Give the rate either as a code or with --per-second, not both</source>
        <translation>Die Rate entweder als Code oder mit --per-second angeben, nicht beides</translation>
    </message>
    <message>
        <source>standby takes on or off, not &quot;%1&quot;</source>
        <translation>standby nimmt on oder off, nicht „%1“</translation>
    </message>
    <message>
        <source>log needs a file name</source>
        <translation>log braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>log writes its records to the file; for JSON records use --format jsonl</source>
        <translation>log schreibt seine Datensätze in die Datei; für JSON-Datensätze --format jsonl verwenden</translation>
    </message>
    <message>
        <source>Give --count or --duration, not both</source>
        <translation>--count oder --duration angeben, nicht beides</translation>
    </message>
    <message>
        <source>serve answers in Prometheus&apos;s text format; --json does not apply</source>
        <translation>serve antwortet im Textformat von Prometheus; --json gilt hier nicht</translation>
    </message>
    <message>
        <source>--interval needs an interval above 0 s</source>
        <translation>--interval braucht ein Intervall über 0 s</translation>
    </message>
    <message>
        <source>No command given (%1 --help lists them)</source>
        <translation>Kein Befehl gegeben (%1 --help listet sie auf)</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot; (%2 --help lists them)</source>
        <translation>Unbekannter Befehl „%1“ (%2 --help listet sie auf)</translation>
    </message>
    <message>
        <source>Appends timed records of the remote and the local temperature to FILE. tsv writes the window program&apos;s own log lines (header, or a restart marker below an old log, then records), so either program can continue a file; csv and jsonl write an ISO 8601 date and time, the status byte and whether the chip is in alert as the window&apos;s alert lamp shows it (csv: status,alert columns; jsonl: status, flags and alert). The format defaults to the file&apos;s extension (.csv, .jsonl), else tsv. Ctrl+C or SIGTERM ends the log after a whole record; a failing file or bus ends it with a message and status 1, every record before kept. The FILE - writes the records to standard output.</source>
        <translation>Hängt Datensätze der externen und der lokalen Temperatur mit Zeit an FILE an. tsv schreibt die Aufzeichnungszeilen des Fensterprogramms (Kopfzeile oder eine Neustartmarke unter einer alten Aufzeichnung, dann Datensätze), sodass jedes der Programme eine Datei fortsetzen kann; csv und jsonl schreiben Datum und Uhrzeit nach ISO 8601, das Statusbyte und ob der Chip im Alarm ist, wie ihn die Alarmlampe des Fensters zeigt (csv: Spalten status,alert; jsonl: status, flags und alert). Das Format folgt der Dateiendung (.csv, .jsonl), sonst tsv. Strg+C oder SIGTERM beendet die Aufzeichnung nach einem ganzen Datensatz; eine fehlschlagende Datei oder ein fehlschlagender Bus beendet sie mit einer Meldung und Status 1, alle Datensätze davor bleiben erhalten. Die Datei - schreibt die Datensätze auf die Standardausgabe.</translation>
    </message>
</context>
<context>
    <name>ort::cli::Serve</name>
    <message>
        <source>listening on %1 port %2: the readings are open to the network, to anyone who can reach this machine</source>
        <translation>lausche auf %1 Port %2: die Messwerte sind im Netz offen, für jeden, der diesen Rechner erreicht</translation>
    </message>
    <message>
        <source>Cannot answer scrapes at %1 port %2: %3</source>
        <translation>Kann Abfragen an %1 Port %2 nicht beantworten: %3</translation>
    </message>
    <message>
        <source>serving the readings at http://%1:%2/metrics</source>
        <translation>liefere die Messwerte unter http://%1:%2/metrics</translation>
    </message>
</context>
<context>
    <name>ort::cli::Tool</name>
    <message>
        <source>%1 C</source>
        <translation>%1 °C</translation>
    </message>
    <message>
        <source>%1 per second</source>
        <translation>%1 pro Sekunde</translation>
    </message>
    <message>
        <source>local %1  remote %2</source>
        <translation>lokal %1  extern %2</translation>
    </message>
    <message>
        <source>Manufacturer ID:</source>
        <translation>Hersteller-ID:</translation>
    </message>
    <message>
        <source> (not the chip&apos;s)</source>
        <translation> (nicht die des Chips)</translation>
    </message>
    <message>
        <source>Die revision:</source>
        <translation>Die-Revision:</translation>
    </message>
    <message>
        <source>ALERT output masked</source>
        <translation>ALERT-Ausgang maskiert</translation>
    </message>
    <message>
        <source>ALERT output enabled</source>
        <translation>ALERT-Ausgang frei</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>Konfiguration:</translation>
    </message>
    <message>
        <source>standby</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>converting</source>
        <translation>wandelt</translation>
    </message>
    <message>
        <source>Conversion rate:</source>
        <translation>Wandlungsrate:</translation>
    </message>
    <message>
        <source>code %1, %2</source>
        <translation>Code %1, %2</translation>
    </message>
    <message>
        <source>Local limits:</source>
        <translation>Grenzwerte lokal:</translation>
    </message>
    <message>
        <source>low %1, high %2</source>
        <translation>unten %1, oben %2</translation>
    </message>
    <message>
        <source>Remote limits:</source>
        <translation>Grenzwerte extern:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>no flags</source>
        <translation>keine Flags</translation>
    </message>
    <message>
        <source>local   low %1  high %2</source>
        <translation>lokal   unten %1  oben %2</translation>
    </message>
    <message>
        <source>remote  low %1  high %2</source>
        <translation>extern  unten %1  oben %2</translation>
    </message>
    <message>
        <source>standby on: no automatic conversions</source>
        <translation>Standby an: keine selbsttätigen Wandlungen</translation>
    </message>
    <message>
        <source>standby off: converting</source>
        <translation>Standby aus: wandelt</translation>
    </message>
    <message>
        <source>the device at %1 answered and released ALERT</source>
        <translation>das Gerät bei %1 hat geantwortet und ALERT freigegeben</translation>
    </message>
    <message>
        <source>no device is alerting</source>
        <translation>kein Gerät meldet einen Alarm</translation>
    </message>
    <message>
        <source>1 record</source>
        <translation>1 Datensatz</translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n Datensatz</numerusform>
            <numerusform>%n Datensätze</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was begun without the status and alert columns; its records go on without them</source>
        <translation>%1 wurde ohne die Spalten status und alert begonnen; ihre Datensätze gehen ohne sie weiter</translation>
    </message>
    <message>
        <source>Reading the chip failed after %1 had been logged to %2: %3</source>
        <translation>Das Lesen des Chips schlug fehl, nachdem %1 in %2 aufgezeichnet war: %3</translation>
    </message>
    <message>
        <source>ort310 --help tells how to use it</source>
        <translation>ort310 --help sagt, wie es geht</translation>
    </message>
    <message>
        <source>The local high limit would be %1, below its low limit %2: nothing was written</source>
        <translation>Der lokale obere Grenzwert wäre %1, unter seinem unteren Grenzwert %2: es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>The remote high limit would be %1, below its low limit %2: nothing was written</source>
        <translation>Der externe obere Grenzwert wäre %1, unter seinem unteren Grenzwert %2: es wurde nichts geschrieben</translation>
    </message>
</context>
<context>
    <name>ort::cli::Values</name>
    <message>
        <source>The value %1 is not a number: give it in decimal (26) or hexadecimal (0x1A or 1Ah)</source>
        <translation>Der Wert %1 ist keine Zahl: bitte dezimal (26) oder hexadezimal (0x1A oder 1Ah) angeben</translation>
    </message>
    <message>
        <source>The value %1 is outside 0 to 255: a register holds one byte</source>
        <translation>Der Wert %1 liegt außerhalb von 0 bis 255: ein Register fasst ein Byte</translation>
    </message>
    <message>
        <source>%1 %2 is not a whole number of degrees Celsius (such as 90 or -10)</source>
        <translation>%1 %2 ist keine ganze Zahl Grad Celsius (etwa 90 oder -10)</translation>
    </message>
    <message>
        <source>%1 %2 C is outside what the chip holds, -128 to 127 C</source>
        <translation>%1 %2 °C liegt außerhalb dessen, was der Chip fasst, -128 bis 127 °C</translation>
    </message>
    <message>
        <source>%1 %2 is not a number of seconds (such as 5 or 0.25)</source>
        <translation>%1 %2 ist keine Zahl von Sekunden (etwa 5 oder 0.25)</translation>
    </message>
    <message>
        <source>%1 %2 s is longer than the most the tool takes, %3 s</source>
        <translation>%1 %2 s ist länger als das Höchstmaß des Werkzeugs, %3 s</translation>
    </message>
    <message>
        <source>%1 %2 is not a count (a whole number from 1)</source>
        <translation>%1 %2 ist keine Anzahl (eine ganze Zahl ab 1)</translation>
    </message>
    <message>
        <source>%1 %2 is more than the tool counts to</source>
        <translation>%1 %2 ist mehr, als das Werkzeug zählt</translation>
    </message>
    <message>
        <source>The address %1 is not hexadecimal (such as 4C, 4Ch or 0x4C)</source>
        <translation>Die Adresse %1 ist nicht hexadezimal (etwa 4C, 4Ch oder 0x4C)</translation>
    </message>
    <message>
        <source>The address %1 is not a 7-bit device address (03h to 77h)</source>
        <translation>Die Adresse %1 ist keine 7-Bit-Geräteadresse (03h bis 77h)</translation>
    </message>
    <message>
        <source>The port base %1 is not hexadecimal (such as 378, 378h or 0x378)</source>
        <translation>Die Portbasis %1 ist nicht hexadezimal (etwa 378, 378h oder 0x378)</translation>
    </message>
    <message>
        <source>The port base %1 is not an I/O address (1h to FFFFh)</source>
        <translation>Die Portbasis %1 ist keine I/O-Adresse (1h bis FFFFh)</translation>
    </message>
    <message>
        <source>The rate code %1 is not one of 0 to 7 (or give --per-second)</source>
        <translation>Der Ratencode %1 ist keiner von 0 bis 7 (oder --per-second angeben)</translation>
    </message>
    <message>
        <source>%1 conversions per second is not a rate of the chip: use 0.0625 (1/16), 0.125, 0.25, 0.5, 1, 2, 4 or 8</source>
        <translation>%1 Wandlungen pro Sekunde ist keine Rate des Chips: möglich sind 0.0625 (1/16), 0.125, 0.25, 0.5, 1, 2, 4 oder 8</translation>
    </message>
    <message>
        <source>--listen %1 %2: give ADDRESS:PORT, such as 127.0.0.1:9310 or [::1]:9310</source>
        <translation>--listen %1 %2: bitte ADRESSE:PORT angeben, etwa 127.0.0.1:9310 oder [::1]:9310</translation>
    </message>
    <message>
        <source>is not an address and a port</source>
        <translation>ist keine Adresse mit Port</translation>
    </message>
    <message>
        <source>names no IPv4 address, IPv6 address in brackets or localhost</source>
        <translation>nennt keine IPv4-Adresse, keine IPv6-Adresse in eckigen Klammern und nicht localhost</translation>
    </message>
    <message>
        <source>has no port from 0 to 65535</source>
        <translation>hat keinen Port von 0 bis 65535</translation>
    </message>
    <message>
        <source>No register is called %1: give an address (0x02, 2) or a name such as status, configuration or local-temp-high-limit (ort310 read all lists them)</source>
        <translation>Kein Register heißt %1: bitte eine Adresse (0x02, 2) oder einen Namen wie status, configuration oder local-temp-high-limit angeben (ort310 read all listet sie auf)</translation>
    </message>
    <message>
        <source>The register map holds no register at %1</source>
        <translation>Die Registertabelle hat kein Register bei %1</translation>
    </message>
</context>
<context>
    <name>ort::frmAbout</name>
    <message>
        <source>About the %1.</source>
        <translation>Über die %1.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>This software can be used to read and write to the %1 using either the parallel printer port or the SMBus.</source>
        <translation>Mit dieser Software lässt sich der %1 über den parallelen Druckerport oder den SMBus lesen und beschreiben.</translation>
    </message>
    <message>
        <source>Written by the %1 evaluation software team.</source>
        <translation>Geschrieben vom Team der %1-Evaluierungssoftware.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ort::frmSplash</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Press any Key to Continue.</source>
        <translation>Zum Fortfahren eine Taste drücken.</translation>
    </message>
    <message>
        <source>Copyright © %1. All rights reserved.</source>
        <translation>Copyright © %1. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Evaluation software: for use with the %1 evaluation board only.</source>
        <translation>Evaluierungssoftware: nur für die %1-Evaluierungsplatine.</translation>
    </message>
</context>
<context>
    <name>ort::language</name>
    <message>
        <source>Speak this language (de, en, ...) instead of the desktop&apos;s.</source>
        <translation>Diese Sprache (de, en, …) statt der des Desktops sprechen.</translation>
    </message>
</context>
</TS>
