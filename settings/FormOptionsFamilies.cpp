// The exclusion list of file types and its ten family boxes.

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "settings/FileFamilies.h"
#include "settings/FormOptions.h"
#include "settings/FormOptionsDetail.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace KELPA;

namespace {

// The extension a family box adds to or removes from TextExclude.
QString FamilyExtension;

const settings::FileFamily& FamilyOf(const QCheckBox* box)
{
    const auto& families = settings::FileFamilies();
    for (const settings::FileFamily& family : families) {
        if (box->objectName() == QLatin1String(family.box))
            return family;
    }
    return families.front();
}

} // namespace

void FormOptions::TextExclude_Change()
{
    if (optionsdetail::CleanBox(TextExclude))
        return;
    Exclude = platform::Trim(TextExclude->text());
}

void FormOptions::TextExclude_LostFocus()
{
    ExcludeExt();
}

void FormOptions::CommandDel3_Click()
{
    TextExclude->clear();
    ExcludeExt();
}

void FormOptions::TextExcludeErgaenzen()
{
    TextExclude->setText(settings::WithExtension(TextExclude->text(), FamilyExtension));
}

void FormOptions::TextExcludeReduzieren()
{
    TextExclude->setText(settings::WithoutExtension(TextExclude->text(), FamilyExtension));
}

// Ticked adds the family's extensions, unticked removes them, grey leaves
// the list; Exclude then follows the list as it stands.
void FormOptions::FamilyClick(QCheckBox* box)
{
    const Qt::CheckState state = box->checkState();
    if (state != Qt::PartiallyChecked) {
        for (const QString& extension : FamilyOf(box).extensions) {
            FamilyExtension = extension;
            if (state == Qt::Checked)
                TextExcludeErgaenzen();
            else
                TextExcludeReduzieren();
        }
    }
    Exclude = TextExclude->text();
}

void FormOptions::ExcludeExt()
{
    const QString list = TextExclude->text();
    for (const settings::FileFamily& family : settings::FileFamilies()) {
        auto* box = findChild<QCheckBox*>(QLatin1String(family.box));
        const int state = settings::FamilyState(list, family);
        box->setCheckState(state == 0   ? Qt::Unchecked
                           : state == 1 ? Qt::Checked
                                        : Qt::PartiallyChecked);
    }
}
