#pragma once

#include "core/channels/csvfile.h"
#include "gui/dialogs/dialogtemplate.h"

#include <functional>

namespace kdw {

// File > Import Channels with a generic file (template 176), before anything
// changes: "12 channels will be imported, 5 left out", the rows left out with
// their reasons, the changes, the columns ignored and the channels left empty
// in a scrollable list, and Import / Cancel. When the file's Locations are
// not 1..N it offers the placement (by Location, or in file order from a
// channel), starting with the one that takes more rows, and the summary
// follows the choice. Import is refused while no row would come in.
class CImportSummaryDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    // `import` reads the file with a placement.
    using Importer = std::function<ChannelCsvImport(const GenericCsvOptions &)>;
    CImportSummaryDlg(QWidget *parent, Importer import, Language language);

    // The import the summary shows, which Import takes.
    const ChannelCsvImport &result() const { return m_result; }

private:
    GenericCsvOptions chosen() const;
    void summarise(const GenericCsvOptions &options);

    Importer m_import;
    Language m_language;
    ChannelCsvImport m_result;
};

} // namespace kdw
