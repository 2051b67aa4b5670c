// What a screen reader, voice control or a test robot selects through the
// accessibility interface is followed by the window as a click would be:
// the sidebar's section, a record of a list, the editor's kind.

#include "SectionFixture.h"

#include "gui/documents/DocumentEditor.h"

#include <QAccessible>
#include <QListWidget>

namespace velmora::gui::test {

namespace {

class AccessibleSelectionTest : public SectionFixture {
protected:
    // Runs the first action the accessible object offers, as an assistive
    // tool does, on the child of `view` named `name` (or on the widget).
    static bool act(QWidget* widget, const QString& name = {}) {
        QAccessibleInterface* target = QAccessible::queryAccessibleInterface(widget);
        if (!target)
            return false;
        if (!name.isEmpty()) {
            QAccessibleInterface* parent = target;
            target = nullptr;
            for (int i = 0; i < parent->childCount() && !target; ++i)
                if (QAccessibleInterface* child = parent->child(i);
                    child && child->text(QAccessible::Name) == name)
                    target = child;
        }
        QAccessibleActionInterface* actions = target ? target->actionInterface() : nullptr;
        if (!actions || actions->actionNames().isEmpty())
            return false;
        actions->doAction(actions->actionNames().first());
        return true;
    }
};

TEST_F(AccessibleSelectionTest, TheSidebarAndARecordListFollowTheAccessibleSelection) {
    openSection(u"dashboard"_s, [](AppDatabase& db) {
        for (const QString& name : {u"Martin"_s, u"Durand"_s}) {
            ClientItem client;
            client.id = QUuid::createUuid();
            client.lastName = name;
            db.clients.append(client);
        }
    });
    auto* sidebar = find<QListWidget>(u"sectionList"_s);
    const QString clients =
        sidebar->item(window().workspace().sectionKeys().indexOf(u"clients"_s))->text();
    ASSERT_TRUE(act(sidebar, clients));
    EXPECT_EQ(window().workspace().currentSection(), u"clients"_s);

    m_key = u"clients"_s;
    ASSERT_TRUE(act(find<QListView>(u"clientsList"_s), u"MARTIN"_s));
    EXPECT_EQ(shownText(u"clientCardTitle"_s), u"MARTIN"_s);
    ASSERT_TRUE(act(find<QListView>(u"clientsList"_s), u"DURAND"_s));
    EXPECT_EQ(shownText(u"clientCardTitle"_s), u"DURAND"_s);
}

TEST_F(AccessibleSelectionTest, TheEditorsKindChipsChangeTheDocument) {
    openSection(u"documents"_s);
    trigger(u"Nouveau"_s);
    auto* editor = find<DocumentEditor>(u"documentEditor"_s);
    ASSERT_NE(editor, nullptr);
    for (const auto& [chip, kind] :
         {std::pair{u"documentEditorQuote"_s, CommercialDocumentKind::quote},
          std::pair{u"documentEditorInvoice"_s, CommercialDocumentKind::invoice}}) {
        if (editor->model().form().kind == kind)
            continue;
        ASSERT_TRUE(act(find<QWidget>(chip))) << chip.toStdString();
        EXPECT_EQ(editor->model().form().kind, kind) << chip.toStdString();
    }
}

} // namespace

} // namespace velmora::gui::test
