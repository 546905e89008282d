#include "gui/frame/stringtable.h"

#include <QCoreApplication>

#include <utility>

namespace kdw {

namespace {

// Entries exactly as stored; '\n' separates prompt and tool tip.
constexpr std::pair<int, const char *> Strings[] = {
    {128,
     QT_TRANSLATE_NOOP("StringTable",
                       "KDW PC Encoder\n\nWrite Data\nChannel Data (*.sin)\n.sin\nProgram.Document\nProgram Document")},
    {32785, QT_TRANSLATE_NOOP("StringTable", "Read Data From Radio\nRead")},
    {32786, QT_TRANSLATE_NOOP("StringTable", "Write Data to Radio \nWrite")},
    {32787, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 1\nCom1")},
    {32788, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 2\nCom2")},
    {32789, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 3\nCom3")},
    {32790, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 4\nCom4")},
    {32791, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 5\nCom5")},
    {32792, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 6\nCom6")},
    {32793, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 7\nCom7")},
    {32794, QT_TRANSLATE_NOOP("StringTable", "Choose Communication Port 8\nCom8")},
    {32820, QT_TRANSLATE_NOOP("StringTable", "Read the radio back after every write and compare\nVerify After Write")},
    {32821,
     QT_TRANSLATE_NOOP("StringTable", "Save a backup of the radio's memory before every write\nBack Up Before Write")},
    {32851, QT_TRANSLATE_NOOP("StringTable", "After the backup read, send only the blocks that differ from what the "
                                             "radio holds\nWrite Only Changed Blocks")},
    {32822,
     QT_TRANSLATE_NOOP("StringTable", "Show what differs between the radio and the document\nCompare with Radio")},
    {32823, QT_TRANSLATE_NOOP("StringTable", "Show what differs between the document and a file\nCompare with File")},
    {32824, QT_TRANSLATE_NOOP("StringTable", "Open a backup of the radio's memory as a new document\nOpen Backup")},
    {32842, QT_TRANSLATE_NOOP("StringTable", "When the line fails during a transfer, go on from the failed block in a "
                                             "new session\nResume After a Fault")},
    {32843, QT_TRANSLATE_NOOP("StringTable", "Use the desktop's colours\nSystem Theme")},
    {32844,
     QT_TRANSLATE_NOOP("StringTable", "Dark text on a light background, whatever the desktop's colours\nLight Theme")},
    {32845,
     QT_TRANSLATE_NOOP("StringTable", "Light text on a dark background, whatever the desktop's colours\nDark Theme")},
    {32833, QT_TRANSLATE_NOOP("StringTable", "Replace the channels with those of a CSV file\nImport Channels")},
    {32834, QT_TRANSLATE_NOOP("StringTable", "Write the channels to a CSV file\nExport Channels")},
    {32840,
     QT_TRANSLATE_NOOP("StringTable",
                       "Look at the cable, the port and the radio, and say what is wrong\nCheck Cable and Radio")},
    {32841, QT_TRANSLATE_NOOP("StringTable", "Choose the serial adapter the radio is on\nChoose Device")},
    {32850, QT_TRANSLATE_NOOP("StringTable", "Write the document to one radio after another, each checked and "
                                             "logged\nProgram Several Radios")},
    {32860, QT_TRANSLATE_NOOP("StringTable", "Put the value being typed into every selected cell of its "
                                             "column\nSet Selected Cells")},
    {32861, QT_TRANSLATE_NOOP("StringTable", "Copy the top selected cell into the selected cells below it\nFill Down")},
    {32862, QT_TRANSLATE_NOOP("StringTable", "Give the selected channels frequencies in steps\nFill Frequencies")},
    {32880, QT_TRANSLATE_NOOP("StringTable",
                              "Show the mistakes the check finds in the channels, and a chart of their frequencies\n"
                              "Check Channels")},
    {32881, QT_TRANSLATE_NOOP("StringTable", "Print the band chart on a page of its own after the channel "
                                             "table\nPrint Band Chart")},
    {32882, QT_TRANSLATE_NOOP("StringTable", "Check the channels before every write and ask when the check finds "
                                             "something\nCheck Channels Before Write")},
    {32830,
     QT_TRANSLATE_NOOP("StringTable",
                       "Insert an empty channel, moving the channels from the selection down by one\nInsert Channel")},
    {32835, QT_TRANSLATE_NOOP("StringTable",
                              "Delete the selected channels, moving the channels below them up\nDelete Channel")},
    {32831, QT_TRANSLATE_NOOP("StringTable", "Move the selected channels up by one\nMove Up")},
    {32832, QT_TRANSLATE_NOOP("StringTable", "Move the selected channels down by one\nMove Down")},
    {32870, QT_TRANSLATE_NOOP("StringTable", "Sort the selected channels, or all channels, by frequency, name or "
                                             "tone\nSort Channels")},
    {32871, QT_TRANSLATE_NOOP("StringTable", "Find channels by name, frequency or tone\nFind")},
    {32872, QT_TRANSLATE_NOOP("StringTable", "Go to the next match\nFind Next")},
    {32873, QT_TRANSLATE_NOOP("StringTable", "Go to the previous match\nFind Previous")},
    {57344, QT_TRANSLATE_NOOP("StringTable", "KDW PC Encoder")},
    {57600, QT_TRANSLATE_NOOP("StringTable", "Create a new document\nNew")},
    {57601, QT_TRANSLATE_NOOP("StringTable", "Open an existing document\nOpen")},
    {57602, QT_TRANSLATE_NOOP("StringTable", "Close the active document\nClose")},
    {57603, QT_TRANSLATE_NOOP("StringTable", "Save the active document\nSave")},
    {57604, QT_TRANSLATE_NOOP("StringTable", "Save the active document with a new name\nSave As")},
    {57605, QT_TRANSLATE_NOOP("StringTable", "Change the printing options\nPage Setup")},
    {57606, QT_TRANSLATE_NOOP("StringTable", "Change the printer and printing options\nPrint Setup")},
    {57607, QT_TRANSLATE_NOOP("StringTable", "Print the active document\nPrint")},
    {57609, QT_TRANSLATE_NOOP("StringTable", "Display full pages\nPrint Preview")},
    {57632, QT_TRANSLATE_NOOP("StringTable", "Empty the selected channels\nDelete")},
    {57634, QT_TRANSLATE_NOOP("StringTable", "Copy the selected channels to the Clipboard\nCopy")},
    {57635, QT_TRANSLATE_NOOP("StringTable", "Copy the selected channels to the Clipboard and empty them\nCut")},
    {57637, QT_TRANSLATE_NOOP("StringTable", "Put the channels of the Clipboard into the selected channels\nPaste")},
    {57642, QT_TRANSLATE_NOOP("StringTable", "Select all channels\nSelect All")},
    {57643, QT_TRANSLATE_NOOP("StringTable", "Undo the last change\nUndo")},
    {57644, QT_TRANSLATE_NOOP("StringTable", "Redo the change undone last\nRedo")},
    {57653, QT_TRANSLATE_NOOP("StringTable", "Split the active window into panes\nSplit")},
    {57664, QT_TRANSLATE_NOOP("StringTable", "Display program information, version number and copyright\nAbout")},
    {57665, QT_TRANSLATE_NOOP("StringTable", "Quit the application; prompts to save documents\nExit")},
    {57680, QT_TRANSLATE_NOOP("StringTable", "Switch to the next window pane\nNext Pane")},
    {57681, QT_TRANSLATE_NOOP("StringTable", "Switch back to the previous window pane\nPrevious Pane")},
    {59136, QT_TRANSLATE_NOOP("StringTable", "EXT")},
    {59137, QT_TRANSLATE_NOOP("StringTable", "CAP")},
    {59138, QT_TRANSLATE_NOOP("StringTable", "NUM")},
    {59139, QT_TRANSLATE_NOOP("StringTable", "SCRL")},
    {59140, QT_TRANSLATE_NOOP("StringTable", "OVR")},
    {59141, QT_TRANSLATE_NOOP("StringTable", "REC")},
    {59392, QT_TRANSLATE_NOOP("StringTable", "Show or hide the toolbar\nToggle ToolBar")},
    {59393, QT_TRANSLATE_NOOP("StringTable", "Show or hide the status bar\nToggle StatusBar")},
    {61184, QT_TRANSLATE_NOOP("StringTable", "Change the window size")},
    {61185, QT_TRANSLATE_NOOP("StringTable", "Change the window position")},
    {61186, QT_TRANSLATE_NOOP("StringTable", "Reduce the window to an icon")},
    {61187, QT_TRANSLATE_NOOP("StringTable", "Enlarge the window to full size")},
    {61188, QT_TRANSLATE_NOOP("StringTable", "Switch to the next document window")},
    {61189, QT_TRANSLATE_NOOP("StringTable", "Switch to the previous document window")},
    {61190, QT_TRANSLATE_NOOP("StringTable", "Close the active window and prompts to save the documents")},
    {61202, QT_TRANSLATE_NOOP("StringTable", "Restore the window to normal size")},
    {61203, QT_TRANSLATE_NOOP("StringTable", "Activate Task List")},
    {61445, QT_TRANSLATE_NOOP("StringTable", "Close print preview mode\nCancel Preview")},
};

} // namespace

QString loadString(int id)
{
    for (const auto &[key, text] : Strings) {
        if (key == id)
            return QCoreApplication::translate("StringTable", text);
    }
    return {};
}

CommandStrings commandStrings(int id)
{
    const QString text = loadString(id);
    const auto nl = text.indexOf(u'\n');
    if (nl < 0)
        return {text, {}};
    return {text.left(nl), text.mid(nl + 1)};
}

QString templateField(int field)
{
    return loadString(128).split(u'\n').value(field);
}

} // namespace kdw
