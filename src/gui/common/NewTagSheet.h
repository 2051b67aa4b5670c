#pragma once

#include "core/Result.h"
#include "core/model/TagItem.h"
#include "core/tags/NewTag.h"
#include "gui/common/FormSheet.h"

#include <QUuid>

#include <functional>

class QComboBox;
class QLineEdit;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// "Nouvelle étiquette": a name and one of the ten colours. `create` stores
// the tag (the form's list decides where) and gives its id or the refusal.
class NewTagSheet : public FormSheet {
    Q_OBJECT

public:
    using Create = std::function<Result<QUuid>(const QString& name, TagColorOption color)>;

    NewTagSheet(Create create, QWidget* parent);

signals:
    void created(const QUuid& id);

protected:
    bool save() override;

private:
    Create m_create;
    QLineEdit* m_name = nullptr;
    QComboBox* m_color = nullptr;
};

class TagChips;

// The chips' "+" opens a NewTagSheet that adds the tag to this list of the
// session; the new chip is then shown checked and `checked` is told.
void offerNewTags(TagChips* chips, AppDataStore& store, NewTag::TagList list,
                  NewTag::WritableTagList writable, std::function<void(const QUuid&)> checked);

// The tag chips of a form: the tags of that list of the session, those of
// the record checked, and a "+" that adds a tag; `toggled` is told of every
// change, a new tag included (checked).
TagChips* tagPicker(const QString& name, AppDataStore& store, NewTag::TagList list,
                    NewTag::WritableTagList writable, const QList<QUuid>& checked,
                    std::function<void(const QUuid&, bool)> toggled, QWidget* parent);

// A combo box of the ten colours, each with its dot and French name.
QComboBox* tagColorBox(QWidget* parent);

} // namespace velmora::gui
