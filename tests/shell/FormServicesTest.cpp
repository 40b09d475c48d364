#include "DictConfig.h"
#include "Entity.h"
#include "MainForm.h"
#include "ModalWatcher.h"
#include "ProgramFolder.h"

#include <QTreeWidget>
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Records the form events it receives.
class Receiver : public QObject {
public:
    QList<QPair<quint16, quint16>> Events;

protected:
    void customEvent(QEvent* event) override {
        if (event->type() == TFormEvent::EventType()) {
            const auto* formEvent = static_cast<TFormEvent*>(event);
            Events.append({formEvent->Code(), formEvent->Argument()});
        }
    }
};

class TestEntity : public TVisualEntity {
public:
    int TypeCode() const override { return TYPE_VEHICLE; }
    bool Load(int) override { return false; }
    void Save() override {}
    bool Delete(int) override { return false; }
    std::unique_ptr<TEntity> CreateInstance() const override { return std::make_unique<TestEntity>(); }
    std::unique_ptr<TDictConfig> CreateDictConfig() override { return nullptr; }
};

class FormServicesTest : public ::testing::Test {
protected:
    FormServicesTest() {
        ModalWatcher closeWarning; // no database here: the start-up failure window is answered
        Form = std::make_unique<TMainForm>(Folder.Path());
        Form->Subscriptions.clear(); // the main window's own 101 and 102
    }

    size_t EntriesOf(QObject* receiver) const {
        return size_t(std::count_if(Form->Subscriptions.begin(), Form->Subscriptions.end(),
                                    [receiver](const TSubscription& s) { return s.Handle == receiver; }));
    }

    void Post(quint16 code, quint16 argument, void* object = nullptr) {
        TMessage message;
        message.WParam = MakeEventWord(code, argument);
        message.LParam = object;
        Form->PostEvent(message);
    }

    ProgramFolder Folder;
    std::unique_ptr<TMainForm> Form;
};

} // namespace

TEST_F(FormServicesTest, SubscribeKeepsOneEntryPerCodeAndCodeZeroCoversAll) {
    Receiver a, b;
    Form->Subscribe(&a, 100);
    Form->Subscribe(&a, 100);
    EXPECT_EQ(EntriesOf(&a), 1u);

    Form->Subscribe(&b, 0);
    Form->Subscribe(&b, 100);
    EXPECT_EQ(EntriesOf(&b), 1u); // 0 already covers 100

    Form->Subscribe(&a, 0); // a specific code first, then 0: two entries, the event arrives twice
    EXPECT_EQ(EntriesOf(&a), 2u);
    Post(100, 2);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(a.Events.size(), 2);
    EXPECT_EQ(b.Events.size(), 1);
}

TEST_F(FormServicesTest, PostingIsAsynchronousAndReachesOnlyMatchingSubscribers) {
    Receiver changes, all, selections;
    Form->Subscribe(&changes, 100);
    Form->Subscribe(&all, 0);
    Form->Subscribe(&selections, 101);
    Post(100, 2);
    EXPECT_TRUE(changes.Events.isEmpty()); // nothing happens before the poster returns to the event loop
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(changes.Events, (QList<QPair<quint16, quint16>>{{100, 2}}));
    EXPECT_EQ(all.Events, (QList<QPair<quint16, quint16>>{{100, 2}}));
    EXPECT_TRUE(selections.Events.isEmpty());
}

TEST_F(FormServicesTest, UnsubscribeAndReplaceSubscriber) {
    Receiver a, b, c;
    Form->Subscribe(&a, 100);
    Form->Subscribe(&b, 100);
    Form->Subscribe(&a, 101);
    Form->Subscribe(&c, 102);
    Form->Subscribe(&a, 102);
    Form->Unsubscribe(&a, 101);
    EXPECT_EQ(EntriesOf(&a), 2u);
    Form->Unsubscribe(&a, 0);
    EXPECT_EQ(EntriesOf(&a), 0u);
    EXPECT_EQ(EntriesOf(&b), 1u);
    EXPECT_EQ(EntriesOf(&c), 1u);

    Form->ReplaceSubscriber(&b, &a);
    EXPECT_EQ(EntriesOf(&a), 1u);
    EXPECT_EQ(EntriesOf(&b), 0u);
}

TEST_F(FormServicesTest, DestroyedSubscriberIsSkipped) {
    auto gone = std::make_unique<Receiver>();
    Receiver kept;
    Form->Subscribe(gone.get(), 100);
    Form->Subscribe(&kept, 100);
    gone.reset();
    Post(100, 2);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(kept.Events.size(), 1);
}

TEST_F(FormServicesTest, MainWindowRunsEntityCallbacksForSelectionAndEditorClosing) {
    ModalWatcher none;
    Form->Subscribe(Form.get(), 101);
    Form->Subscribe(Form.get(), 102);
    TestEntity entity;
    int selected = 0;
    QList<bool> closed;
    entity.OnSelected = [&] { ++selected; };
    entity.OnEditorClosed = [&](TVisualEntity* which, bool saved) {
        EXPECT_EQ(which, &entity);
        closed.append(saved);
    };

    entity.NotifyChanged(EVENT_ENTITY_SELECTED, 1);
    entity.NotifyChanged(EVENT_ENTITY_SELECTED, 0); // flag 0: not a selection
    entity.NotifyChanged(EVENT_EDITOR_CLOSED, 1);
    entity.NotifyChanged(EVENT_EDITOR_CLOSED, 0);
    EXPECT_EQ(selected, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(closed, (QList<bool>{true, false}));

    TestEntity silent; // no callbacks: nothing happens
    silent.NotifyChanged(EVENT_ENTITY_SELECTED, 1);
    silent.NotifyChanged(EVENT_EDITOR_CLOSED, 1);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(none.Count, 0);
}

TEST_F(FormServicesTest, DockFormAddsOneNavigatorNodePerForm) {
    QTreeWidget* tree = Form->NavigatorTreeView;
    auto* journal = new QWidget;
    journal->setWindowTitle(QStringLiteral("Журнал"));
    Form->DockForm(journal, false); // nothing selected: a root node
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Журнал"));
    EXPECT_EQ(journal->parentWidget(), Form->TabControl);

    auto* vehicles = new QWidget;
    vehicles->setWindowTitle(QStringLiteral("Транспорт"));
    Form->DockForm(vehicles, false); // under the selected journal node
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Транспорт"));

    auto* drivers = new QWidget;
    drivers->setWindowTitle(QStringLiteral("Водители"));
    Form->DockForm(drivers, true);
    EXPECT_EQ(tree->topLevelItemCount(), 2);

    Form->DockForm(journal, true); // already docked: only brought to the front
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 1);

    Form->UndockForm(vehicles); // its parent node becomes the selected one
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Журнал"));
    EXPECT_EQ(vehicles->parentWidget(), Form->TabControl); // neither hidden nor destroyed
}
