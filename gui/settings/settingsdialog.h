#pragma once

#include "core/settings/settingtable.h"
#include "core/settings/settingvalues.h"
#include "core/text/language.h"
#include "gui/dialogs/dialogtemplate.h"

namespace kdw {

// A dialog whose controls show settings of the table: it fills the lists and
// shows the image values when it opens, and stores every setting when it
// ends, by any way (StoreOn::Close) or by OK only (StoreOn::Ok). The edit
// fields filter typed and pasted text alike.
class CSettingsDialog : public CTemplateDialog
{
    Q_OBJECT

public:
    enum class StoreOn { Close, Ok };

    void done(int result) override;

    // True when a control shows another value than it did on opening: what
    // closing stores of settings left as shown is no change of the user's.
    bool changedByUser() const;

protected:
    CSettingsDialog(int templateId, SettingsDialog which, StoreOn storeOn, MemoryImage &image, Language language,
                    QWidget *parent);

    void keyPressEvent(QKeyEvent *event) override;

private:
    void showSettings();
    void storeSettings();
    std::optional<SettingValue> controlValue(const Setting &setting) const;
    QList<std::optional<SettingValue>> controlValues() const;

    MemoryImage &m_image;
    const Language m_language;
    SettingsDialog m_which;
    StoreOn m_storeOn;
    QList<std::optional<SettingValue>> m_shownValues;
};

// The function settings: no OK or Cancel button; closing stores.
class COptionDlg : public CSettingsDialog
{
    Q_OBJECT

public:
    COptionDlg(MemoryImage &image, Language language, QWidget *parent = nullptr);
};

// PTT ID display, mode and code; closing stores.
class CPttIdDlg : public CSettingsDialog
{
    Q_OBJECT

public:
    CPttIdDlg(MemoryImage &image, Language language, QWidget *parent = nullptr);
};

// The PCBA text; OK stores, Cancel, Escape and the close box discard.
class CPcbaDlg : public CSettingsDialog
{
    Q_OBJECT

public:
    CPcbaDlg(MemoryImage &image, Language language, QWidget *parent = nullptr);
};

} // namespace kdw
