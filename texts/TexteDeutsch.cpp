// The German texts of the program.

#include "texts/Sprache.h"

#include "main/Kelpa.h"

// Stores the German text into each of the 360 set slots of LanguageText (an empty text
// is written too); reads nothing and changes no other variable.
void TexteDeutsch()
{
    auto& t = KELPA::LanguageText;
    t[1] = QStringLiteral("Kelpa - Assistent");
    t[2] = QStringLiteral("Schritt 1 von maximal 6:");
    t[3] = QStringLiteral("Sie möchten...");
    t[4] = QStringLiteral("&Abbrechen");
    t[5] = QStringLiteral("&Weiter ->");
    t[6] = QStringLiteral("<- &Zurück");
    t[7] = QStringLiteral("&Fertig stellen");
    t[8] = QStringLiteral("Schritt 2 von maximal 6:");
    t[9] = QStringLiteral("Schritt 3 von maximal 6:");
    t[10] = QStringLiteral("Schritt 4 von 6:");
    t[11] = QStringLiteral("Schritt 5 von 6:");
    t[12] = QStringLiteral("JPEG-Bilder");
    t[13] = QStringLiteral("einen einzelnen URL (wie z.B.: 'http://www.maker.example/kelpa/' "
                           "oder 'http://www.kelpa.example/'; auch ein Dateiname als lokaler URL "
                           "(file:///) ist möglich:");
    t[14] = QStringLiteral("ausführbare Programme");
    t[15] = QStringLiteral("Pakete (*.zip)");
    t[16] = QStringLiteral("Textdateien");
    t[17] = QStringLiteral("GIF-Bilder");
    t[18] = QStringLiteral("Audios");
    t[19] = QStringLiteral("Videos");
    t[20] = QStringLiteral("von einer oder mehreren Websites nur bestimmte Inhalte laden (z.B. "
                           "Bilder, Videos oder Sound-Dateien).");
    t[21] = QStringLiteral("eine oder mehrere Websites herunterladen, ohne die Dokumente zu "
                           "verändern (z.B. zur Pflege eigener Web-Seiten; kein oder nur "
                           "begrenztes Offline-Browsing möglich).");
    t[22] = QStringLiteral("eine oder mehrere Websites herunterladen, um diese später 'offline' "
                           "(z.B. von einer CD) zu betrachten.");
    t[23] = QStringLiteral("Start nach");
    t[24] = QStringLiteral("Zeit:");
    t[25] = QStringLiteral("Wiederh.:");
    t[26] = QStringLiteral("Markieren Sie in diesem Fall die entsprechenden Kästchen und stellen "
                           "Sie die gewünschten Werte ein. Mit einer 'Zeit' zum automatischen "
                           "Beenden können Sie noch zusätzlich die Option 'WindowsShutDown' auf "
                           "der Programmoberfläche wählen. Damit wird nach dem Download bzw. "
                           "nach Ablauf der voreingestellten Zeit das System automatisch "
                           "herunter gefahren.");
    t[27] = QStringLiteral("Input-Datei:");
    t[28] = QStringLiteral("einen oder mehrere einzelne URLs laden (z.B. eine große EXE-Datei).");
    t[29] = QStringLiteral("eine vorbereitete Task-Datei verwenden (keine weiteren Schritte "
                           "erforderlich):");
    t[30] = QStringLiteral("eine Liste von URLs (bzw. Dateinamen) vorbereitet und möchten diese "
                           "verwenden:");
    t[31] = QStringLiteral("Sie haben...");
    t[32] = QStringLiteral("Der Download-Vorgang soll...");
    t[33] = QStringLiteral("Wählen Sie eine Quelldatei...");
    t[34] = QStringLiteral("Sie können jetzt noch weitere Programm-Einstellungen vornehmen bzw. "
                           "die gewählten Einstellungen ändern.");
    t[35] = QStringLiteral("Starten Sie anschließend den Download-Vorgang indem Sie auf das "
                           "'Gehen'-Symbol klicken oder die Taste 'F5' drücken.");
    t[36] = QStringLiteral(" enthält keine Daten!");
    t[37] = QStringLiteral("Es sollen nur Dateien geladen und ggf. durchsucht werden, die...");
    t[38] = QStringLiteral("Wenn weitere URLs, die jetzt noch nicht berücksichtigt sind, geladen "
                           "und durchsucht werden sollen, dann tragen Sie diese (zusätzlich) in "
                           "die folgende Zeile ein. Es genügt dabei, einen Teil des URL (z.B. "
                           "'kelpa' für 'www.kelpa.example') anzugeben.");
    t[39] = QStringLiteral("Auch 'Relokationen' des angesprochenen Servers und in den Dokumenten "
                           "versteckte 'Meta-Refresh-Tags', die auf andere Domains verweisen, "
                           "sollen berücksichtigt werden.");
    t[40] = QStringLiteral("...keine weiteren Schritte erforderlich.");
    t[41] = QStringLiteral("...kein weiterer Schritt erforderlich.");
    t[42] = QStringLiteral("aus einem Verzeichnis der angesprochenen Domain (z.B. "
                           "'www.maker.example/kelpa/~user') und evtl. vorhandenen "
                           "Unterverzeichnissen stammen (wenn kein Verzeichnis angegeben ist, "
                           "wird die gesamte Domain (Hauptverzeichnis) berücksichtigt).");
    t[43] = QStringLiteral("von der Domain stammen (z.B. 'www.maker.example'), von welcher aus "
                           "der Download-Vorgang begonnen wurde.");
    t[44] = QStringLiteral("Es soll ohne diese Einschränkungen bzw. mit anderen "
                           "Einschränkungskriterien (siehe nächstes Fenster) gesucht werden.");
    t[45] = QStringLiteral("Nur URLs mit:");
    t[46] = QStringLiteral("Falls URLs vom Download konsequent ausgeschlossen werden sollen, "
                           "sind diese (oder Teile davon, s.o.) in die folgende Zeile "
                           "einzutragen. Die hierdurch gemachten Einschränkungen haben Priorität "
                           "vor allen anderen Angaben.");
    t[47] = QStringLiteral("Keine URLs mit:");
    t[48] = QStringLiteral("Mehrere Eintragungen sind durch Leerzeichen zu trennen.");
    t[49] = QStringLiteral("Schritt 6 von 6:");
    t[50] = QStringLiteral("Standardverzeichnis zum Abspeichern der Dateien: '");
    t[51] = QStringLiteral("Dateiname:");
    t[52] = QStringLiteral("TASK S");
    t[53] = QStringLiteral("vorhanden, überschreiben?");
    t[54] = QStringLiteral(": Task speichern...");
    t[55] = QStringLiteral("Laufwerk nicht bereit!");
    t[56] = QStringLiteral("Verzeichnis:");
    t[57] = QStringLiteral("Task speichern...");
    t[58] = QStringLiteral("Links sortieren in");
    t[59] = QStringLiteral("Links löschen in");
    t[60] = QStringLiteral("&Schließen");
    t[61] = QStringLiteral("Kommentar:");
    t[62] = QStringLiteral(" (Liste unvollständig):");
    t[63] = QStringLiteral("von Hand gestartet und ggf. beendet werden.");
    t[64] = QStringLiteral("nach einer bestimmten Zeit automatisch starten und/oder nach einer "
                           "bestimmten Zeit automatisch anhalten und/oder in einem bestimmten "
                           "Intervall wiederholt ausgeführt werden:");
    t[65] = QStringLiteral("Welche Dateien möchten Sie abspeichern?");
    t[66] = QStringLiteral("Falls die gewünschte Dateiart nicht aufgeführt ist, kann auch ein "
                           "entsprechender Eintrag in der Zeile 'Nur URLs mit' vorgenommen "
                           "werden (zB. '.bas' fü BASIC-Quellcodes).");
    t[67] = QStringLiteral("Task öffnen...");
    t[68] = QStringLiteral("Inputdatei wählen...");
    t[70] = QStringLiteral("Lesen und Bearbeiten");
    t[71] = QStringLiteral("Lesen");
    t[72] = QStringLiteral("&Sortieren");
    t[73] = QStringLiteral("&Löschen");
    t[74] = QStringLiteral("l&öschen");
    t[75] = QStringLiteral("l&esen");
    t[76] = QStringLiteral("Doppelklicken um URL zu kopieren oder öffnen...");
    t[77] = QStringLiteral(" Bytes)");
    t[78] = QStringLiteral("Keine Links gefunden.");
    t[79] = QStringLiteral("1 Link von ");
    t[80] = QStringLiteral(" Links von ");
    t[81] = QStringLiteral(" gefunden. Wollen Sie fortfahren?");
    t[82] = QStringLiteral("Links sortieren (KELPA.NOT): ");
    t[83] = QStringLiteral(" Link(s) mit '");
    t[84] = QStringLiteral("' gefunden.");
    t[85] = QStringLiteral("Links entfernen (KELPA.NOT): ");
    t[86] = QStringLiteral(" Links (hier klicken, um Listing anzuhalten)");
    t[87] = QStringLiteral(": keine Links.");
    t[88] = QStringLiteral(", 1 Link:");
    t[89] = QStringLiteral(" Links");
    t[90] = QStringLiteral(" (0 Bytes)");
    t[91] = QStringLiteral("Keine Daten gefunden!");
    t[92] = QStringLiteral("URL wurde in die Zwischenablage kopiert. URL mit Browser öffnen?");
    t[93] = QStringLiteral("&Noch...");
    t[94] = QStringLiteral("&Komplettierung");
    t[95] = QStringLiteral("&Vorhanden");
    t[96] = QStringLiteral("&Liste");
    t[97] = QStringLiteral("Noch... (KELPA.NOT bearbeiten)");
    t[100] = QStringLiteral("Einfügen...");
    t[102] = QStringLiteral("Ziel:");
    t[103] = QStringLiteral("Zum Öffnen doppelklicken...");
    t[104] = QStringLiteral("Quelle:");
    t[106] = QStringLiteral(" Ausschluss bzw. andere Site!");
    t[107] = QStringLiteral(" Ausschluss!");
    t[108] = QStringLiteral("Suche Links in ");
    t[109] = QStringLiteral(" Bytes) ...");
    t[110] = QStringLiteral(": Fehler beim Erstellen! (");
    t[111] = QStringLiteral("Fehler beim Kopieren ");
    t[112] = QStringLiteral(", schließen Sie Anwendungen, die evtl. eine Zugriffsverletzung "
                            "verursacht haben und wiederholen Sie den Vorgang!");
    t[113] = QStringLiteral(": Fehler beim Öffnen!");
    t[114] = QStringLiteral(" durchsucht");
    t[115] = QStringLiteral(" durchsucht. Auszeit ");
    t[116] = QStringLiteral("404 Datei nicht gefunden!");
    t[117] = QStringLiteral("Zu viele User");
    t[118] = QStringLiteral("503 Service zur Zeit nicht verfügbar");
    t[119] = QStringLiteral("Fertig!");
    t[120] = QStringLiteral("' nicht gefunden oder keine Netzwerkverbindung!");
    t[121] = QStringLiteral("Verbindung: Auszeit");
    t[124] = QStringLiteral("Relocation verweigert!");
    t[125] = QStringLiteral("Dateigrösse (Bytes): ");
    t[126] = QStringLiteral("Keine übertragbaren Daten!");
    t[127] = QStringLiteral("Dateigrösse: 0, keine übertragbaren Daten!");
    t[128] = QStringLiteral("Dateigrösse unbekannt");
    t[129] = QStringLiteral("Host kontaktiert, Anfrage...");
    t[130] = QStringLiteral("Fehler Socketkonfiguration keine Netzwerkverbindung!");
    t[131] = QStringLiteral("Host kontaktiert, warte auf Daten...");
    t[132] = QStringLiteral("Keine Daten empfangen!");
    t[134] = QStringLiteral(" von ");
    t[135] = QStringLiteral("übertragen");
    t[136] = QStringLiteral(" Bytes übertragen");
    t[137] = QStringLiteral("übertragen. Auszeit ");
    t[138] = QStringLiteral(" Bytes übertragen. Auszeit ");
    t[139] = QStringLiteral("Auszeit ");
    t[140] = QStringLiteral("Dateigrösse übersteigt MaxFileSize!");
    t[141] = QStringLiteral("0 Bytes übertragen");
    t[142] = QStringLiteral("Übertragung unvollständig");
    t[143] = QStringLiteral("Übertragung beendet");
    t[144] = QStringLiteral(" Link vorhanden!");
    t[145] = QStringLiteral("Verbindung wird initialisiert...");
    t[146] = QStringLiteral("Wiederholt in ");
    t[147] = QStringLiteral(", Auszeit ");
    t[148] = QStringLiteral("Datei vorhanden!");
    t[149] = QStringLiteral("Ungültiger Dateiname?");
    t[150] = QStringLiteral("Datei nicht gefunden!");
    t[151] = QStringLiteral("Fehler beim Erstellen der Datei!");
    t[152] = QStringLiteral(": Nur HTTP möglich!");
    t[153] = QStringLiteral("Ausschluss!");
    t[155] = QStringLiteral("Blockierender ");
    t[157] = QStringLiteral("Host kontaktiert...");
    t[159] = QStringLiteral("******MaxkBytes (");
    t[160] = QStringLiteral("Datei gelöscht (Dateigrösse unterschreitet MinFileSize)");
    t[161] = QStringLiteral("Keine Links gefunden!");
    t[162] = QStringLiteral(" Links gefunden!");
    t[163] = QStringLiteral("1 Link gefunden!");
    t[164] = QStringLiteral("Fehler mit Domain Name Server (DNS)!");
    t[171] = QStringLiteral("&Lizenzbedingungen...");
    t[172] = QStringLiteral("unbekannt");
    t[173] = QStringLiteral("... automatisch sp&eichern");
    t[174] = QStringLiteral("Auto Sequenz");
    t[175] = QStringLiteral("&Ausrichten");
    t[176] = QStringLiteral("&Neu");
    t[177] = QStringLiteral("&Öffnen...");
    t[178] = QStringLiteral("*** Status zurückgesetzt ***");
    t[179] = QStringLiteral("_D.TS_");
    t[180] = QStringLiteral("PROGRAMM STARTET AUTOMATISCH...");
    t[181] = QStringLiteral("...nachdem Kelpa den Download beendet hat bzw. automatisch beendet "
                            "wurde (");
    t[182] = QStringLiteral("Internet Browser konnte nicht gestartet werden.");
    t[183] = QStringLiteral("eMail-Programm konnte nicht gestartet werden.");
    t[185] = QStringLiteral("Lädt URLs aus Inputdatei");
    t[186] = QStringLiteral("Liste");
    t[188] = QStringLiteral("Suche &vervollständigen/fortsetzen");
    t[189] = QStringLiteral("&Neue Suche");
    t[190] = QStringLiteral("Doppelklicken um Logdatei zu öffnen...");
    t[191] = QStringLiteral("Assistent");
    t[192] = QStringLiteral("Abbrechen");
    t[193] = QStringLiteral("Start");
    t[194] = QStringLiteral("Beenden");
    t[196] = QStringLiteral("Einstellungen");
    t[197] = QStringLiteral("Hypertext Transport Protocol");
    t[198] = QStringLiteral("Vorschau");
    t[199] = QStringLiteral("&Datei");
    t[200] = QStringLiteral("&Start");
    t[202] = QStringLiteral("Task ö&ffnen...");
    t[203] = QStringLiteral("Task speichern &unter...");
    t[204] = QStringLiteral("Einstellungen &speichern");
    t[205] = QStringLiteral("&Inputdatei wählen...");
    t[206] = QStringLiteral("Sto&p");
    t[207] = QStringLiteral("&Warten und beenden");
    t[208] = QStringLiteral("&Beenden");
    t[209] = QStringLiteral("E&xtras");
    t[210] = QStringLiteral("&Assistent...");
    t[211] = QStringLiteral("&Löschen...");
    t[212] = QStringLiteral("&Inaktive Einträge");
    t[213] = QStringLiteral("&Alle Einträge");
    t[214] = QStringLiteral("&Protokoll");
    t[215] = QStringLiteral("&Ansicht");
    t[216] = QStringLiteral("&Symbolleiste");
    t[218] = QStringLiteral("&Einstellungen");
    t[219] = QStringLiteral("&Vorschau");
    t[220] = QStringLiteral("&Lesen und Bearbeiten");
    t[221] = QStringLiteral("&Verbergen");
    t[222] = QStringLiteral("&Hilfe");
    t[223] = QStringLiteral("&Web-Seiten...");
    t[225] = QStringLiteral("&Info");
    t[226] = QStringLiteral("Lädt URLs aus ");
    t[228] = QStringLiteral("Vorschau (");
    t[229] = QStringLiteral(" Dateien");
    t[230] = QStringLiteral("Links");
    t[231] = QStringLiteral("Zu groß für 100%");
    t[232] = QStringLiteral("übertragen/gespeichert");
    t[233] = QStringLiteral(" Bytes");
    t[234] = QStringLiteral(" nicht gefunden!");
    t[235] = QStringLiteral(" geladen.");
    t[236] = QStringLiteral("Programm anhalten?");
    t[237] = QStringLiteral("Wiederholt automatisch!");
    t[244] = QStringLiteral("Maximale Downloadmenge erreicht, das Programm wird beendet. ");
    t[245] = QStringLiteral("Sie können nach dem Neustart 'Suche vervollständigen/fortsetzen' "
                            "wählen.");
    t[247] = QStringLiteral("Programm beenden?");
    t[248] = QStringLiteral("Beende ");
    t[249] = QStringLiteral("******Insgesamt ");
    t[253] = QStringLiteral("******Windows Abschluss ");
    t[258] = QStringLiteral("KELPA(D).HTM");
    t[259] = QStringLiteral("LIZENZ.HT_");
    t[260] = QStringLiteral("LIZENZ.HTM");
    t[261] = QStringLiteral("LIESMICH.HTM");
    t[264] = QStringLiteral("KELPA(D).HT_");
    t[265] = QStringLiteral("WSOCK32.DLL Version 1.1 erforderlich!");
    t[266] = QStringLiteral("Fehler WSOCK32.DLL oder keine Netzwerkverbindung!");
    t[267] = QStringLiteral("Wiederholt alle ");
    t[268] = QStringLiteral("Inline-Images werden nicht automatisch geladen!");
    t[269] = QStringLiteral("Programm angehalten!");
    t[270] = QStringLiteral("Fertig!    Wiederholt in ");
    t[276] = QStringLiteral("Wenn Sie fortfahren, kann die vorherige Suche nicht "
                            "vervollständigt/fortgesetzt werden!");
    t[277] = QStringLiteral("Wollen Sie fortfahren?");
    t[279] = QStringLiteral("Wenn Sie jetzt abbrechen, kann die Suche nicht richtig "
                            "vervollständigt/fortgesetzt werden!");
    t[280] = QStringLiteral("Wollen Sie diesen Vorgang wirklich abbrechen?");
    t[281] = QStringLiteral("Übertragung/Linksuche unvollständig!");
    t[282] = QStringLiteral("Soll diese Datei zu einem späteren Zeitpunkt geladen/durchsucht "
                            "werden?");
    t[285] = QStringLiteral("Alle Einträge entfernen?");
    t[289] = QStringLiteral("NACH DEM LAUFENDEN DOWNLOAD WIRD DAS PROGRAMM BEENDET...");
    t[290] = QStringLiteral("Beendet automatisch!");
    t[291] = QStringLiteral("Kelpa kann in ein und demselben Verzeichnis nicht mehrmals "
                            "ausgeführt werden!");
    t[292] = QStringLiteral("Das Programm wurde zuletzt abrupt beendet. Die Download Daten "
                            "wurden wiederhergestellt. Überprüfen Sie bitte gegebenenfalls die "
                            "Programmeinstellungen!");
    t[293] = QStringLiteral("Übertragung abgebrochen");
    t[294] = QStringLiteral("Abbruch!");
    t[295] = QStringLiteral("KELPA.NOT wird vervollständigt ...");
    t[296] = QStringLiteral(" Bytes übertragen, Übertragung unvollständig");
    t[303] = QStringLiteral("-> suche Links in ");
    t[304] = QStringLiteral("  wiederholt in ");
    t[306] = QStringLiteral("Ferti");
    t[307] = QStringLiteral("******Automatische Wiederholung! ");
    t[308] = QStringLiteral("Verzögerter Start ");
    t[309] = QStringLiteral(" Bytes (");
    t[316] = QStringLiteral("******Auszeit ");
    t[317] = QStringLiteral("Start: ");
    t[318] = QStringLiteral("Gespeichert: ");
    t[319] = QStringLiteral("Soll das Programm angehalten werden?");
    t[320] = QStringLiteral("&Generierte Dateien (und beenden)");
    t[321] = QStringLiteral("Wenn Sie das Programm mit der Option 'Neue Suche' beenden, können "
                            "Sie die bisherige Kelpa-Suche nicht mehr "
                            "vervollständigen/fortsetzen!");
    t[322] = QStringLiteral("Wollen Sie das wirklich?");
    t[323] = QStringLiteral("Programm wartet");
    t[325] = QStringLiteral("Daten werden gesendet");
    t[326] = QStringLiteral("Daten werden empfangen");
    t[327] = QStringLiteral("Daten werden durchsucht");
    t[328] = QStringLiteral("Die Tiefe für die Linksuche (Depth) wurde erreicht!");
    t[329] = QStringLiteral("Form verborgen");
    t[330] = QStringLiteral("Form sichtbar");
    t[331] = QStringLiteral("Vorschau &immer im Vordergrund");
    t[332] = QStringLiteral("&Fenster");
    t[349] = QStringLiteral("Anwendung zum");
    t[351] = QStringLiteral("automatisierten Hochgeschwindigkeits-Download");
    t[352] = QStringLiteral("Ada Velmonts Velkaro");
    t[360] = QStringLiteral("Kelpa - Installation");
    t[361] = QStringLiteral("&Verzeichnis...");
    t[363] = QStringLiteral("Die Installation wurde erfolgreich abgeschlossen.");
    t[364] = QStringLiteral("Sie können nun das Programm vom Startmenü aus aufrufen.");
    t[365] = QStringLiteral("Willkommen!");
    t[366] = QStringLiteral("Eine Programmgruppe wird erzeugt (Kelpa),");
    t[367] = QStringLiteral("das Programm wird in folgendes Verzeichnis installiert:");
    t[369] = QStringLiteral("Installationsverzeichnis für Kelpa wählen/erstellen...");
    t[370] = QStringLiteral("Glückwunsch!");
    t[371] = QStringLiteral("Liesmich");
    t[372] = QStringLiteral("Hilfe");
    t[373] = QStringLiteral("Lizenz");
    t[374] = QStringLiteral("Fenster ausrichten");
    t[375] = QStringLiteral("Symbolleiste");
    t[376] = QStringLiteral("Protokoll");
    t[377] = QStringLiteral("kopieren");
    t[380] = QStringLiteral(" - Notizen");
    t[401] = QStringLiteral("Dokumente");
    t[402] = QStringLiteral("professionell >>");
    t[403] = QStringLiteral("Möchten Sie die KELPA-Suche vervollständigen/fortsetzen?");
    t[404] = QStringLiteral("(1 Link: ");
    t[405] = QStringLiteral(" Links,");
    t[406] = QStringLiteral(" erster Link: ");
    t[407] = QStringLiteral("Wenn Sie auf 'Ja' klicken, startet das Programm sofort.");
    t[408] = QStringLiteral("Klicken Sie auf 'Abbrechen', wenn Sie die Suche später "
                            "vervollständigen/fortsetzen möchten.");
    t[409] = QStringLiteral("Sie können jetzt vervollständigen/fortsetzen...");
    t[412] = QStringLiteral("Wählen/erstellen Sie ein Verzeichnis zum Abspeichern der geladenen "
                            "Dateien...");
    t[413] = QStringLiteral("Wählen Sie ein Hintergrundbild...");
    t[414] = QStringLiteral("Wählen Sie ein Icon...");
    t[415] = QStringLiteral("Das 'HTML auffrischen'-Kästchen ist markiert!");
    t[416] = QStringLiteral("Programm angehalten. Sie können jetzt vervollständigen/fortsetzen...");
    t[417] = QStringLiteral("Error: unzulässiger Verzeichnisname!");
    t[418] = QStringLiteral(" ist kein Verzeichnis. Trotzdem '");
    t[419] = QStringLiteral("' hinzufügen?");
    t[420] = QStringLiteral("Zielverzeichnis:");
    t[421] = QStringLiteral("Hintergrund:");
    t[422] = QStringLiteral("Symbol auf Task-Leiste:");
    t[423] = QStringLiteral("Titel auf Task-Leiste:");
    t[424] = QStringLiteral("Nur URLs mit");
    t[425] = QStringLiteral("auf Home-Site bleiben");
    t[426] = QStringLiteral("Verbergen (1-1440) =");
    t[427] = QStringLiteral("bei Stop &analysieren");
    t[428] = QStringLiteral("alle Meldungen &loggen");
    t[429] = QStringLiteral("Java &parsen");
    t[430] = QStringLiteral("&HTML auffrischen");
    t[431] = QStringLiteral("&Papierkorb verwenden");
    t[432] = QStringLiteral("Blockierende Aufrufe");
    t[433] = QStringLiteral("Puffergröße (Bytes)");
    t[434] = QStringLiteral("Auszeit Verbindungsanforderung (s)");
    t[435] = QStringLiteral("Keine URLs mit");
    t[436] = QStringLiteral("Dateitypen ausschließen");
    t[437] = QStringLiteral("Auszeit (0-3600) =");
    t[438] = QStringLiteral("Tiefe (0-99) =");
    t[439] = QStringLiteral("Minimale Dateigröße (0-32767) =");
    t[440] = QStringLiteral("Das Download-Verzeichnis kann nicht verwendet werden:");
    t[441] = QStringLiteral(" ist eine Datei, kein Verzeichnis.");
    t[442] = QStringLiteral("Darin können keine Dateien angelegt werden (keine Berechtigung).");
    t[443] = QStringLiteral("Sein Name ist länger, als das Dateisystem erlaubt.");
    t[444] = QStringLiteral("Es wurde kein Download gestartet.");
    t[445] = QStringLiteral("Kein Ordner (eine Datei steht im Weg)!");
    t[446] = QStringLiteral("Keine Berechtigung, dort zu schreiben!");
    t[447] = QStringLiteral("Datenträger voll!");
    t[448] = QStringLiteral("Name zu lang oder nicht zulässig!");
    t[449] = QStringLiteral("Konnte nicht geschrieben werden!");
    t[450] = QStringLiteral("Kelpa darf in diesen Ordner nicht schreiben und kann dort seine "
                            "Sperrdatei KELPA.TMP nicht anlegen:");
    t[451] = QStringLiteral("Entfernt Kelpa (das Programm, seine Seiten, Einstellungen und "
                            "Arbeitsdateien und diese Programmgruppe) aus ");
    t[452] = QStringLiteral("Keine &externen Banner");
    t[459] = QStringLiteral("Drücken Sie die 'Entf'-Taste, um die gewählte Datei");
    t[460] = QStringLiteral("Professionelle Einstellungen");
    t[461] = QStringLiteral("Für Beispiel doppelklicken");
    t[464] = QStringLiteral("&Benutzer:");
    t[465] = QStringLiteral("&Vorgabe");
    t[466] = QStringLiteral("&Zurücksetzen");
    t[467] = QStringLiteral("Kopfzeile:");
    t[468] = QStringLiteral("in den Papierkorb zu verschieben. Doppelklick auf");
    t[469] = QStringLiteral("einen Dateinamen führt zum Öffnen der Datei.");
    t[470] = QStringLiteral(": dieser Name gehört einer Arbeitsliste des Programms. Bitte eine "
                            "Eingabedatei mit anderem Namen wählen.");
    t[471] = QStringLiteral("Der Download wurde beendet. Was noch nicht geladen ist, bleibt in "
                            "KELPA.NOT erhalten. Sobald das Verzeichnis wieder Dateien aufnimmt, "
                            "vervollständigt 'Start' die Suche.");
    t[472] = QStringLiteral("In den Arbeitsordner kann nicht geschrieben werden:");
    t[479] = QStringLiteral(": nicht gespeichert, ein Ordner auf dem Weg ist ein Verweis aus dem "
                            "Download-Verzeichnis hinaus!");
    t[480] = QStringLiteral("Maximale Dateigröße (0-32767) =");
    t[481] = QStringLiteral("Download-Volumen (0-2097152) <");
    t[482] = QStringLiteral("eingebundene Bilder");
    t[483] = QStringLiteral("Relokationen");
    t[484] = QStringLiteral("eMail-Adressen");
    t[485] = QStringLiteral("lokal betrachten");
    t[486] = QStringLiteral("HTML speichern");
    t[487] = QStringLiteral("8.3 Dateinamen");
    t[488] = QStringLiteral("Unterverzeichnisse");
    t[489] = QStringLiteral("Verz");
}
