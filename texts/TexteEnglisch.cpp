// The English texts of the program.

#include "texts/Sprache.h"

#include "main/Kelpa.h"

// Stores the English text into each of the 360 set slots of LanguageText (an empty text
// is written too); reads nothing and changes no other variable.
void TexteEnglisch()
{
    auto& t = KELPA::LanguageText;
    t[1] = QStringLiteral("Kelpa - Assistant");
    t[2] = QStringLiteral("Step 1 of 6:");
    t[3] = QStringLiteral("What do you want to download and save?");
    t[4] = QStringLiteral("&Cancel");
    t[5] = QStringLiteral("&Continue ->");
    t[6] = QStringLiteral("<- &Go back");
    t[7] = QStringLiteral("&Finish");
    t[8] = QStringLiteral("Step 2 of 6:");
    t[9] = QStringLiteral("Step 3 of 6:");
    t[10] = QStringLiteral("Step 4 of 6:");
    t[11] = QStringLiteral("Step 5 of 6:");
    t[12] = QStringLiteral("JPEG Pictures");
    t[13] = QStringLiteral("Enter a URL (e.g. 'http://www.maker.example/kelpa/' or "
                           "'http://www.kelpa.example/'; also a File as local URL (file:///) is "
                           "possible:");
    t[14] = QStringLiteral("Executable Programs");
    t[15] = QStringLiteral("Packages (*.zip)");
    t[16] = QStringLiteral("Text Files");
    t[17] = QStringLiteral("GIF Pictures");
    t[18] = QStringLiteral("Sounds");
    t[19] = QStringLiteral("Movies");
    t[20] = QStringLiteral("Pictures, Videos, Sound Files or other Files from one or more "
                           "Websites.");
    t[21] = QStringLiteral("One or more Websites and keep the documents in their original form "
                           "(e.g. to service own Webpages; no or only limited Off-line Browsing "
                           "possible).");
    t[22] = QStringLiteral("One or more Websites for later Off-line Browsing (e.g. to store Web "
                           "contents on a CD).");
    t[23] = QStringLiteral("Start After");
    t[24] = QStringLiteral("Time:");
    t[25] = QStringLiteral("Repeat:");
    t[26] = QStringLiteral("Check one ore more of the following Boxes and select a corresponding "
                           "time. Together with 'Time:' you can check the 'WindowsShutDown' Box "
                           "on the main window. Then Windows shuts down either after the "
                           "selected time interval or when the program has finished all "
                           "downloading.");
    t[27] = QStringLiteral("Input File:");
    t[28] = QStringLiteral("Download and save one or more single URLs (a big EXE File for "
                           "instance).");
    t[29] = QStringLiteral("Choose a predetermined Task File (no more steps required):");
    t[30] = QStringLiteral("You can use either a Batch List of URLs or Filenames");
    t[31] = QStringLiteral("You need at least one URL (or HTML-File) to start a download "
                           "session...");
    t[32] = QStringLiteral("Start...");
    t[33] = QStringLiteral("Choose a Source File...");
    t[34] = QStringLiteral("Now you can make changes to the chosen Options in the 'Options' "
                           "Window. Many other options may still be set there.");
    t[35] = QStringLiteral("Then you can Start Download by clicking on the 'Go' icon or by "
                           "pressing the 'F5'-key.");
    t[36] = QStringLiteral(" contains no data!");
    t[37] = QStringLiteral("Download, save and parse Files...");
    t[38] = QStringLiteral("To take more Links into consideration, enter the URLs (in addition) "
                           "on the following line. It is sufficient to enter only parts of the "
                           "URLs (e.g. 'kelpa' instead of 'www.kelpa.example')");
    t[39] = QStringLiteral("'Relocations' or hidden 'Meta Refresh Tags' in the documents linking "
                           "to other domains should be also considered.");
    t[40] = QStringLiteral("...no more steps required.");
    t[41] = QStringLiteral("...no more step required.");
    t[42] = QStringLiteral("exclusively deriving from a directory of the domain (e.g. "
                           "'www.maker.example/kelpa/~user') or any sub-directory. If there's no "
                           "directory given, the whole domain will be considered as 'root "
                           "directory'.");
    t[43] = QStringLiteral("exclusively deriving from the domain (e.g. 'www.maker.example') "
                           "where the download was started.");
    t[44] = QStringLiteral("without these restrictions or regarding other restrictions (see next "
                           "window).");
    t[45] = QStringLiteral("Only URLs with:");
    t[46] = QStringLiteral("To exclude Links from beeing downloaded, enter the URLs (or parts, "
                           "as described above) on the following line. These entries take "
                           "priority.");
    t[47] = QStringLiteral("No URLs with:");
    t[48] = QStringLiteral("Several entries are to be separated by blanks.");
    t[49] = QStringLiteral("Step 6 of 6:");
    t[50] = QStringLiteral("Standard directory to save files: '");
    t[51] = QStringLiteral("Filename:");
    t[52] = QStringLiteral("SAVE T");
    t[53] = QStringLiteral("exists, overwrite?");
    t[54] = QStringLiteral(": save task...");
    t[55] = QStringLiteral("Drive not ready!");
    t[56] = QStringLiteral("Directory:");
    t[57] = QStringLiteral("Save task...");
    t[58] = QStringLiteral("Arrange links in");
    t[59] = QStringLiteral("Remove links in");
    t[60] = QStringLiteral("&Close");
    t[61] = QStringLiteral("Commentary:");
    t[62] = QStringLiteral(" (listing incomplete):");
    t[63] = QStringLiteral("manually. And, if need be, also Stop manually.");
    t[64] = QStringLiteral("automatically at a selected time and/or terminate at a selected time "
                           "and/or repeat automatically at a selected time:");
    t[65] = QStringLiteral("Which files do you want to download and save?");
    t[66] = QStringLiteral("If you want to download files which are not listed here, you can go "
                           "back and extend the 'Only URLs with:' line (e.g. '.bas' to download "
                           "BASIC source codes).");
    t[67] = QStringLiteral("Open Task...");
    t[68] = QStringLiteral("Choose Input File...");
    t[70] = QStringLiteral("Read and Edit");
    t[71] = QStringLiteral("Read");
    t[72] = QStringLiteral("&Arrange");
    t[73] = QStringLiteral("&Remove");
    t[74] = QStringLiteral("&delete");
    t[75] = QStringLiteral("&read");
    t[76] = QStringLiteral("Double click to copy or open URL...");
    t[77] = QStringLiteral(" bytes)");
    t[78] = QStringLiteral("No links found.");
    t[79] = QStringLiteral("1 link of ");
    t[80] = QStringLiteral(" links of ");
    t[81] = QStringLiteral(" found. Do you want to continue?");
    t[82] = QStringLiteral("Arrange links (KELPA.NOT): ");
    t[83] = QStringLiteral(" link(s) with '");
    t[84] = QStringLiteral("' found.");
    t[85] = QStringLiteral("Remove links (KELPA.NOT): ");
    t[86] = QStringLiteral(" links (Click here to stop listing)");
    t[87] = QStringLiteral(": no links.");
    t[88] = QStringLiteral(", 1 link:");
    t[89] = QStringLiteral(" links");
    t[90] = QStringLiteral(" (0 bytes)");
    t[91] = QStringLiteral("No data found!");
    t[92] = QStringLiteral("URL copied to clipboard. Do you want to open URL with your Browser?");
    t[93] = QStringLiteral("&Absent");
    t[94] = QStringLiteral("&Complete");
    t[95] = QStringLiteral("&Existing");
    t[96] = QStringLiteral("&List");
    t[97] = QStringLiteral("Absent (edit KELPA.NOT)");
    t[100] = QStringLiteral("Paste...");
    t[102] = QStringLiteral("Target:");
    t[103] = QStringLiteral("Double click to Open File...");
    t[104] = QStringLiteral("Source:");
    t[106] = QStringLiteral(" Exclusion resp. other site!");
    t[107] = QStringLiteral(" Exclusion!");
    t[108] = QStringLiteral("Searching links in ");
    t[109] = QStringLiteral(" bytes) ...");
    t[110] = QStringLiteral(": Error creating file! (");
    t[111] = QStringLiteral("Error while copying ");
    t[112] = QStringLiteral(", close all competing tasks and retry!");
    t[113] = QStringLiteral(": Error opening file!");
    t[114] = QStringLiteral(" checked");
    t[115] = QStringLiteral(" checked. Time out ");
    t[116] = QStringLiteral("404 File Not Found!");
    t[117] = QStringLiteral("Too Many Users");
    t[118] = QStringLiteral("503 Service Temporarily Unavailable");
    t[119] = QStringLiteral("Ready!");
    t[120] = QStringLiteral("' Not Found or No Network Connection!");
    t[121] = QStringLiteral("Connection: Timed out");
    t[124] = QStringLiteral("Relocation refused!");
    t[125] = QStringLiteral("File length (bytes): ");
    t[126] = QStringLiteral("No data to send!");
    t[127] = QStringLiteral("File length: 0, no data to send!");
    t[128] = QStringLiteral("File length unknown");
    t[129] = QStringLiteral("Host contacted, request...");
    t[130] = QStringLiteral("Socket configuration error or No network connection!");
    t[131] = QStringLiteral("Host contacted, waiting for data...");
    t[132] = QStringLiteral("No data received!");
    t[134] = QStringLiteral(" of ");
    t[135] = QStringLiteral("transferred");
    t[136] = QStringLiteral(" bytes transferred");
    t[137] = QStringLiteral("transferred. Time out ");
    t[138] = QStringLiteral(" bytes transferred. Time out ");
    t[139] = QStringLiteral("Time out ");
    t[140] = QStringLiteral("Size of file exceeds MaxFileSize!");
    t[141] = QStringLiteral("0 bytes transferred");
    t[142] = QStringLiteral("Transfer incomplete");
    t[143] = QStringLiteral("Transfer completed");
    t[144] = QStringLiteral(" Link already exists!");
    t[145] = QStringLiteral("Initializing connection...");
    t[146] = QStringLiteral("Repeats within ");
    t[147] = QStringLiteral(", time out ");
    t[148] = QStringLiteral("File already exists!");
    t[149] = QStringLiteral("Bad file name?");
    t[150] = QStringLiteral("File not found!");
    t[151] = QStringLiteral("Error creating file!");
    t[152] = QStringLiteral(": Only http is supported!");
    t[153] = QStringLiteral("Exclusion!");
    t[155] = QStringLiteral("Blocking ");
    t[157] = QStringLiteral("Host contacted...");
    t[159] = QStringLiteral("******Max Kbytes (");
    t[160] = QStringLiteral("File deleted (Size of file smaller than MinFileSize)");
    t[161] = QStringLiteral("No links found!");
    t[162] = QStringLiteral(" links found!");
    t[163] = QStringLiteral("1 link found!");
    t[164] = QStringLiteral("Error Domain Name Server (DNS)!");
    t[171] = QStringLiteral("&License Information...");
    t[172] = QStringLiteral("unknown");
    t[173] = QStringLiteral("Save Settings &automatically");
    t[174] = QStringLiteral("Auto Sequence");
    t[175] = QStringLiteral("&Align");
    t[176] = QStringLiteral("&New");
    t[177] = QStringLiteral("&Open...");
    t[178] = QStringLiteral("*** Status reset ***");
    t[179] = QStringLiteral("_E.TS_");
    t[180] = QStringLiteral("PROGRAM STARTS AUTOMATICALLY...");
    t[181] = QStringLiteral("...after Kelpa has completed the Download or it finished "
                            "automatically (");
    t[182] = QStringLiteral("Could not start Internet Browser.");
    t[183] = QStringLiteral("Could not start Mail Program.");
    t[185] = QStringLiteral("Download URLs listed in Specified Input File");
    t[186] = QStringLiteral("List");
    t[188] = QStringLiteral("Co&mplete/Continue KELPA-search");
    t[189] = QStringLiteral("&New Kelpa Search");
    t[190] = QStringLiteral("Double click to open Log File...");
    t[191] = QStringLiteral("Assistant");
    t[192] = QStringLiteral("Cancel");
    t[193] = QStringLiteral("Start");
    t[194] = QStringLiteral("Exit");
    t[196] = QStringLiteral("Options");
    t[197] = QStringLiteral("Hypertext Transport Protocol");
    t[198] = QStringLiteral("Preview");
    t[199] = QStringLiteral("&File");
    t[200] = QStringLiteral("&Start");
    t[202] = QStringLiteral("&Open Task...");
    t[203] = QStringLiteral("Save Task &as...");
    t[204] = QStringLiteral("Sa&ve Settings");
    t[205] = QStringLiteral("Choose &Input File...");
    t[206] = QStringLiteral("Sto&p");
    t[207] = QStringLiteral("&Wait and Exit");
    t[208] = QStringLiteral("E&xit");
    t[209] = QStringLiteral("&Special");
    t[210] = QStringLiteral("&Assistant...");
    t[211] = QStringLiteral("&Clear...");
    t[212] = QStringLiteral("&Inactive Entries");
    t[213] = QStringLiteral("&All Entries");
    t[214] = QStringLiteral("&Protocol");
    t[215] = QStringLiteral("&View");
    t[216] = QStringLiteral("&Toolbar");
    t[218] = QStringLiteral("&Options");
    t[219] = QStringLiteral("Pre&view");
    t[220] = QStringLiteral("&Read and Edit");
    t[221] = QStringLiteral("&Hide");
    t[222] = QStringLiteral("&Help");
    t[223] = QStringLiteral("&Web page...");
    t[225] = QStringLiteral("&Info");
    t[226] = QStringLiteral("Download URLs listed in ");
    t[228] = QStringLiteral("Preview (");
    t[229] = QStringLiteral(" Files");
    t[230] = QStringLiteral("Links");
    t[231] = QStringLiteral("Too large for 100%");
    t[232] = QStringLiteral("Transferred/Saved");
    t[233] = QStringLiteral(" bytes");
    t[234] = QStringLiteral(" not found!");
    t[235] = QStringLiteral(" loaded.");
    t[236] = QStringLiteral("Stop the program?");
    t[237] = QStringLiteral("Repeats automatically!");
    t[244] = QStringLiteral("Download maximum reached, the program will Stop. ");
    t[245] = QStringLiteral("After Restart you can 'Complete/Continue the Search'.");
    t[247] = QStringLiteral("Exit the program?");
    t[248] = QStringLiteral("Finishing ");
    t[249] = QStringLiteral("******Combined ");
    t[253] = QStringLiteral("******Windows shutdown ");
    t[258] = QStringLiteral("KELPA(E).HTM");
    t[259] = QStringLiteral("LICENSE.HT_");
    t[260] = QStringLiteral("LICENSE.HTM");
    t[261] = QStringLiteral("README.HTM");
    t[264] = QStringLiteral("KELPA(E).HT_");
    t[265] = QStringLiteral("WSOCK32.DLL Version 1.1 required!");
    t[266] = QStringLiteral("Error WSOCK32.DLL or no network connection!");
    t[267] = QStringLiteral("Repeats every ");
    t[268] = QStringLiteral("In-line images are not downloaded automatically!");
    t[269] = QStringLiteral("Program stopped!");
    t[270] = QStringLiteral("Ready!    Repeats within ");
    t[276] = QStringLiteral("If you continue you cannot Complete/Continue the former search!");
    t[277] = QStringLiteral("Do you want to Continue?");
    t[279] = QStringLiteral("If you Cancel now, it will not be possible to correctly "
                            "Complete/Continue the Search!");
    t[280] = QStringLiteral("Do you really want to Cancel now?");
    t[281] = QStringLiteral("Transfer/Link-search incomplete!");
    t[282] = QStringLiteral("Do you want to download (and/or Search for links in) this file "
                            "later?");
    t[285] = QStringLiteral("Remove all Entries?");
    t[289] = QStringLiteral("WAITING UNTIL CURRENT DOWNLOAD IS FINISHED AND THEN EXITING...");
    t[290] = QStringLiteral("Exits automatically!");
    t[291] = QStringLiteral("Kelpa cannot be executed more than once in the same directory!");
    t[292] = QStringLiteral("Last time the program was abruptly terminated. Download data was "
                            "now restored. Please check the Program's Settings if need be!");
    t[293] = QStringLiteral("Transfer interrupted by Break");
    t[294] = QStringLiteral("Break!");
    t[295] = QStringLiteral("Completing KELPA.NOT...");
    t[296] = QStringLiteral(" bytes transferred, transfer incomplete!");
    t[303] = QStringLiteral("-> Searching for Links in ");
    t[304] = QStringLiteral("  Repeats within ");
    t[306] = QStringLiteral("Ready");
    t[307] = QStringLiteral("******Automatic repeat! ");
    t[308] = QStringLiteral("Delayed Start ");
    t[309] = QStringLiteral(" bytes (");
    t[316] = QStringLiteral("******Timed out ");
    t[317] = QStringLiteral("Start: ");
    t[318] = QStringLiteral("Saved to ");
    t[319] = QStringLiteral("Do you want to stop the program?");
    t[320] = QStringLiteral("&Generated Files (and Exit)");
    t[321] = QStringLiteral("You chose the option 'New KELPA-search'. When you exit now you "
                            "can't complete/continue the former search!");
    t[322] = QStringLiteral("Do you really want this?");
    t[323] = QStringLiteral("Waiting");
    t[325] = QStringLiteral("Sending Data");
    t[326] = QStringLiteral("Receiving Data");
    t[327] = QStringLiteral("Parsing Data");
    t[328] = QStringLiteral("The value 'Depth' for the level of parsing links is reached!");
    t[329] = QStringLiteral("Form hidden");
    t[330] = QStringLiteral("Form visible");
    t[331] = QStringLiteral("Preview always on &Top");
    t[332] = QStringLiteral("&Windows");
    t[349] = QStringLiteral("");
    t[351] = QStringLiteral("automated high-speed download tool");
    t[352] = QStringLiteral("Ada Velmont's Velkaro");
    t[360] = QStringLiteral("Kelpa - Installation");
    t[361] = QStringLiteral("Change &Directory");
    t[363] = QStringLiteral("Installation was successfully completed. To run");
    t[364] = QStringLiteral("Kelpa, click on its icon in the Start Program menu.");
    t[365] = QStringLiteral("Welcome!");
    t[366] = QStringLiteral("This will create a new program group (Kelpa)");
    t[367] = QStringLiteral("and install the program into the following directory:");
    t[369] = QStringLiteral("Choose/Create a directory to install Kelpa...");
    t[370] = QStringLiteral("Congratulations!");
    t[371] = QStringLiteral("Readme");
    t[372] = QStringLiteral("Help");
    t[373] = QStringLiteral("License");
    t[374] = QStringLiteral("Align Windows");
    t[375] = QStringLiteral("Toolbar");
    t[376] = QStringLiteral("Protocol");
    t[377] = QStringLiteral("copy");
    t[380] = QStringLiteral(" - Memo");
    t[401] = QStringLiteral("Documents");
    t[402] = QStringLiteral("professional >>");
    t[403] = QStringLiteral("Do you want to Complete/Continue the Kelpa Search?");
    t[404] = QStringLiteral("(1 link: ");
    t[405] = QStringLiteral(" links,");
    t[406] = QStringLiteral(" first link: ");
    t[407] = QStringLiteral("If you click on 'Yes' the program starts Immediately.");
    t[408] = QStringLiteral("Click on 'Cancel', if you liked to Complete/Continue the Search "
                            "later.");
    t[409] = QStringLiteral("You may now Complete/Continue...");
    t[412] = QStringLiteral("Choose/Create a directory to Store the downloaded files...");
    t[413] = QStringLiteral("Choose a background image...");
    t[414] = QStringLiteral("Choose an Icon...");
    t[415] = QStringLiteral("'Refresh HTML' box is checked!");
    t[416] = QStringLiteral("Program stopped. You may now Complete/Continue the KELPA-search...");
    t[417] = QStringLiteral("Error: Bad directory name!");
    t[418] = QStringLiteral(" is no directory. Adding '");
    t[419] = QStringLiteral("' anyway?");
    t[420] = QStringLiteral("Target-Directory:");
    t[421] = QStringLiteral("Background:");
    t[422] = QStringLiteral("Taskbar Icon:");
    t[423] = QStringLiteral("Taskbar Title:");
    t[424] = QStringLiteral("Only URLs with");
    t[425] = QStringLiteral("Restrict to Home-Site");
    t[426] = QStringLiteral("Hide (1-1440) =");
    t[427] = QStringLiteral("&Analyse on Stop");
    t[428] = QStringLiteral("&Log all Messages");
    t[429] = QStringLiteral("&Parse Java");
    t[430] = QStringLiteral("&Refresh HTML");
    t[431] = QStringLiteral("&Use Recycle Bin");
    t[432] = QStringLiteral("Blocking Calls");
    t[433] = QStringLiteral("Receive Buffer (bytes)");
    t[434] = QStringLiteral("Connect Time out (sec)");
    t[435] = QStringLiteral("No URLs with");
    t[436] = QStringLiteral("Exclude File Types");
    t[437] = QStringLiteral("Time Out (0-3600) =");
    t[438] = QStringLiteral("Depth (0-99) =");
    t[439] = QStringLiteral("Minimum File Size (0-32767) =");
    t[440] = QStringLiteral("The download directory cannot be used:");
    t[441] = QStringLiteral(" is a file, not a directory.");
    t[442] = QStringLiteral("No files can be created in it (permission denied).");
    t[443] = QStringLiteral("Its name is longer than the file system allows.");
    t[444] = QStringLiteral("No download was started.");
    t[445] = QStringLiteral("Not a folder (a file is in the way)!");
    t[446] = QStringLiteral("No permission to write there!");
    t[447] = QStringLiteral("Disk full!");
    t[448] = QStringLiteral("Name too long or not allowed!");
    t[449] = QStringLiteral("Could not be written!");
    t[450] = QStringLiteral("Kelpa may not write to this folder, so it cannot make its lock file "
                            "KELPA.TMP there:");
    t[451] = QStringLiteral("Removes Kelpa (the program, its pages, settings and work files, and "
                            "this program group) from ");
    t[452] = QStringLiteral("No external &Banners");
    t[459] = QStringLiteral("Press the 'Del'-key to move the highlighted file to");
    t[460] = QStringLiteral("Professional Options");
    t[461] = QStringLiteral("Double click to see an example");
    t[464] = QStringLiteral("&user defined:");
    t[465] = QStringLiteral("&default");
    t[466] = QStringLiteral("&Reset to default");
    t[467] = QStringLiteral("Headline:");
    t[468] = QStringLiteral("the Recycle Bin. Double click on a file name to open");
    t[469] = QStringLiteral("the file.");
    t[470] = QStringLiteral(": this name belongs to a work list of the program. Please choose an "
                            "input file of another name.");
    t[471] = QStringLiteral("The download was ended. What was not loaded yet is kept in KELPA.NOT: "
                            "once the folder takes files again, 'Start' completes the search.");
    t[472] = QStringLiteral("The working folder cannot be written:");
    t[479] = QStringLiteral(": not saved, a folder on its way is a link that leads out of the "
                            "download directory!");
    t[480] = QStringLiteral("Maximum File Size (0-32767) =");
    t[481] = QStringLiteral("Download Maximum (0-2097152) =");
    t[482] = QStringLiteral("In-line Images");
    t[483] = QStringLiteral("Relocations");
    t[484] = QStringLiteral("Email Addresses");
    t[485] = QStringLiteral("Local Browsing");
    t[486] = QStringLiteral("Save HTML");
    t[487] = QStringLiteral("8.3 File Names");
    t[488] = QStringLiteral("Sub-Directories");
    t[489] = QStringLiteral("Dirs");
}
