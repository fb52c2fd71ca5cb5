// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus_menu.h"
#include "platform/dbus_types.h"
#include "platform/status_notifier_tray.h"
#include "support/qt_printers.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

// The item against a private session bus (the test runs under dbus-run-session), with a small
// watcher of our own on a connection of its own, and a host reading over a third.
namespace {

const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");

class FakeWatcher final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit FakeWatcher(const QString& connectionName)
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName)) {
        m_bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                             QDBusConnection::ExportScriptableContents |
                                 QDBusConnection::ExportAllProperties);
    }
    ~FakeWatcher() override { stop(); }

    bool start() { return m_bus.registerService(watcherName); }
    void stop() { m_bus.unregisterService(watcherName); }
    void setHost(bool present) {
        m_host = present;
        if (present)
            emit StatusNotifierHostRegistered();
        else
            emit StatusNotifierHostUnregistered();
    }

    bool hostRegistered() const { return m_host; }
    QStringList items() const { return m_items; }
    int protocolVersion() const { return 0; }

    int registrations = 0;

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& service,
                                                 const QDBusMessage& message) {
        ++registrations;
        if (m_holdAnswers) {
            message.setDelayedReply(true);
            m_held.append(message.createReply());
        }
        // As GNOME's watcher lists them: the name and the object's path.
        const QString entry = service + QStringLiteral("@/StatusNotifierItem");
        if (m_dropsLeft > 0) {
            // A host that fails to read the item drops it a moment after it came.
            --m_dropsLeft;
            m_items.removeAll(entry);
            QMetaObject::invokeMethod(
                this, [this, entry] { emit StatusNotifierItemUnregistered(entry); },
                Qt::QueuedConnection);
            return;
        }
        if (!m_items.contains(entry))
            m_items.append(entry);
    }

public:
    // Registrations are answered only when released, as by a host busy for seconds.
    void holdAnswers() { m_holdAnswers = true; }
    void releaseAnswers() {
        m_holdAnswers = false;
        for (const QDBusMessage& reply : std::exchange(m_held, {}))
            m_bus.send(reply);
    }
    // The next `count` registrations are dropped again at once.
    void dropNext(int count) { m_dropsLeft = count; }
    void drop(const QString& service) {
        m_items.removeAll(service + QStringLiteral("@/StatusNotifierItem"));
        emit StatusNotifierItemUnregistered(service + QStringLiteral("@/StatusNotifierItem"));
    }

signals:
    Q_SCRIPTABLE void StatusNotifierHostRegistered();
    Q_SCRIPTABLE void StatusNotifierHostUnregistered();
    Q_SCRIPTABLE void StatusNotifierItemUnregistered(const QString& service);

private:
    QDBusConnection m_bus;
    QStringList m_items;
    bool m_host = true;
    int m_dropsLeft = 0;
    bool m_holdAnswers = false;
    QList<QDBusMessage> m_held;
};

class SignalCounter final : public QObject {
    Q_OBJECT

public slots:
    void count() { ++count_; }

public:
    int count_ = 0;
};

class StatusNotifierTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        m_watcher = std::make_unique<FakeWatcher>(QStringLiteral("watcher"));
        ASSERT_TRUE(m_watcher->start());
        m_tray = std::make_unique<StatusNotifierTray>(QDBusConnection::sessionBus(), nullptr,
                                                      [this] { return m_now; });
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_tray->isVisible(); }, 3000));
    }
    void TearDown() override {
        m_tray.reset();
        m_watcher.reset();
    }

    QVariant property(const QString& name) const {
        QDBusMessage get = QDBusMessage::createMethodCall(
            m_tray->serviceName(), QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.kde.StatusNotifierItem") << name;
        const QDBusMessage reply = roundTrip(get);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << name.toStdString();
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    void call(const QString& path, const QString& interface, const QString& method,
              const QVariantList& arguments) const {
        QDBusMessage message =
            QDBusMessage::createMethodCall(m_tray->serviceName(), path, interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = roundTrip(message);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage)
            << method.toStdString() << ": " << reply.errorMessage().toStdString();
    }
    MenuLayout menu() const {
        QDBusMessage message = QDBusMessage::createMethodCall(
            m_tray->serviceName(), QStringLiteral("/MenuBar"),
            QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"));
        message << 0 << -1 << QStringList();
        const QDBusMessage reply = roundTrip(message);
        EXPECT_EQ(reply.arguments().size(), 2);
        return qdbus_cast<MenuLayout>(reply.arguments().value(1));
    }
    // The item answers on this thread's event loop, so a blocking call would wait for itself.
    static QDBusMessage roundTrip(const QDBusMessage& message) {
        QDBusPendingCall pending = host().asyncCall(message, 5000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 6000));
        return pending.reply();
    }
    static QDBusConnection host() {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("host"));
    }

    std::unique_ptr<FakeWatcher> m_watcher;
    std::unique_ptr<StatusNotifierTray> m_tray;
    QDateTime m_now{QDate(2026, 12, 8), QTime(19, 30)}; // the tray's clock, moved by hand
};

TEST_F(StatusNotifierTest, RegistersAndRegistersAgainWhenTheWatcherComesBack) {
    // Registered by the connection's unique name, which GNOME's extension reads without
    // dropping the item; the well-known name stays on the bus for whoever looks for it.
    const QString unique = QDBusConnection::sessionBus().baseService();
    EXPECT_EQ(m_watcher->items(), QStringList{unique + "@/StatusNotifierItem"});
    EXPECT_EQ(m_watcher->registrations, 1);
    EXPECT_TRUE(
        QDBusConnection::sessionBus().interface()->isServiceRegistered(m_tray->serviceName()));

    // The host's panel restarts: its watcher goes and a new one comes.
    m_watcher.reset();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_tray->isVisible(); }, 3000));
    m_watcher = std::make_unique<FakeWatcher>(QStringLiteral("watcher2"));
    ASSERT_TRUE(m_watcher->start());
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_watcher->registrations == 1; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_tray->isVisible(); }, 3000));

    // The host drops the item it failed to read: the item notices and registers again.
    QSignalSpy lost(m_tray.get(), &Tray::visibilityLost);
    m_watcher->drop(unique);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_watcher->registrations == 2; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_watcher->items().size() == 1; }, 3000));
    EXPECT_TRUE(m_tray->isVisible());

    // A host that drops it every time: after three tries in all the icon counts as not seen.
    m_watcher->dropNext(10);
    m_watcher->drop(unique);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lost.count() == 1; }, 5000));
    EXPECT_EQ(m_watcher->registrations, 1 + StatusNotifierTray::registrationsAfterADrop);
    EXPECT_FALSE(m_tray->isVisible());
}

TEST_F(StatusNotifierTest, AwaitsAWatcherThatIsSlowToAnswer) {
    EXPECT_FALSE(m_tray->awaitsHost());
    m_tray.reset();
    m_watcher->holdAnswers();
    m_tray = std::make_unique<StatusNotifierTray>(QDBusConnection::sessionBus());
    QSignalSpy answered(m_tray.get(), &Tray::hostAnswered);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_watcher->registrations == 1; }, 3000));
    // Not seen yet, but not known to be unseen either.
    EXPECT_FALSE(m_tray->isVisible());
    EXPECT_TRUE(m_tray->awaitsHost());
    EXPECT_EQ(answered.count(), 0);

    m_watcher->releaseAnswers();
    // Answered once, after the registration and the host's presence are both known.
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered.count() == 1; }, 3000));
    EXPECT_TRUE(m_tray->isVisible());
    EXPECT_FALSE(m_tray->awaitsHost());
}

TEST_F(StatusNotifierTest, VisibleOnlyWhileAHostShowsTheItems) {
    m_watcher->setHost(false);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_tray->isVisible(); }, 3000));
    m_watcher->setHost(true);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_tray->isVisible(); }, 3000));
}

TEST_F(StatusNotifierTest, PropertiesAsAHostReadsThem) {
    m_tray->setStatus(QStringLiteral("39,50"), QStringLiteral("1 \u20AC = 39,50 \u0E3F"));
    const std::pair<const char*, QVariant> rows[] = {
        {"Id", QStringLiteral("velmora")},
        {"Category", QStringLiteral("ApplicationStatus")},
        {"Status", QStringLiteral("Active")},
        {"Title", QStringLiteral("Velmora")},
        {"IconName", QStringLiteral("velmora")},
        {"ItemIsMenu", false},
        {"XAyatanaLabel", QStringLiteral("39,50")},
    };
    for (const auto& [name, expected] : rows)
        EXPECT_EQ(property(QString::fromLatin1(name)), expected) << name;
    EXPECT_EQ(property("Menu").value<QDBusObjectPath>().path(), "/MenuBar");
    EXPECT_FALSE(property("XAyatanaLabelGuide").toString().isEmpty());

    const auto toolTip = qdbus_cast<SniToolTip>(property("ToolTip"));
    EXPECT_EQ(toolTip.title, "Velmora");
    EXPECT_EQ(toolTip.text, "1 \u20AC = 39,50 \u0E3F");

    // Every size a host asks for at scales 1 to 2 is there, so that none is scaled up.
    const auto pixmaps = qdbus_cast<SniPixmaps>(property("IconPixmap"));
    QList<int> sizes;
    for (const SniPixmap& pixmap : pixmaps)
        sizes.append(pixmap.width);
    EXPECT_EQ(sizes, (QList<int>{16, 22, 24, 32, 44, 48, 64}));
    for (const SniPixmap& pixmap : pixmaps) {
        EXPECT_EQ(pixmap.argb.size(), pixmap.width * pixmap.height * 4) << pixmap.width;
        // ARGB in network order: the drawing is opaque in the middle, clear in the corner.
        const int middle = (pixmap.height / 2 * pixmap.width + pixmap.width / 2) * 4;
        EXPECT_EQ(static_cast<uchar>(pixmap.argb[middle]), 255) << pixmap.width;
        EXPECT_EQ(static_cast<uchar>(pixmap.argb[0]), 0) << pixmap.width;
    }
}

TEST_F(StatusNotifierTest, ANewRecordIsAnnouncedWithItsSignals) {
    SignalCounter counter;
    for (const char* name : {"NewToolTip", "NewTitle", "XAyatanaNewLabel"}) {
        ASSERT_TRUE(host().connect(m_tray->serviceName(), QStringLiteral("/StatusNotifierItem"),
                                   QStringLiteral("org.kde.StatusNotifierItem"),
                                   QLatin1String(name), &counter, SLOT(count())));
    }
    m_tray->setStatus(QStringLiteral("40,10"), QStringLiteral("1 \u20AC = 40,10 \u0E3F"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.count_ == 3; }, 3000)) << counter.count_;
    EXPECT_EQ(property("XAyatanaLabel"), QStringLiteral("40,10"));
}

TEST_F(StatusNotifierTest, ClicksAndTheMenu) {
    QSignalSpy clicks(m_tray.get(), &Tray::activated);
    QSignalSpy quits(m_tray.get(), &Tray::quitRequested);
    const QString item = QStringLiteral("org.kde.StatusNotifierItem");
    // Every button is a click; the second click of a double click, which XFCE's and Plasma's
    // hosts pass on as a second Activate, is not.
    const int doubleClick = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const struct {
        const char* method;
        int afterMs;
        bool counts;
    } rows[] = {
        {"Activate", 0, true},
        {"Activate", doubleClick - 1, false},
        {"SecondaryActivate", doubleClick, true},
        {"ContextMenu", 2 * doubleClick, true},
    };
    qsizetype expected = 0;
    for (const auto& row : rows) {
        m_now = m_now.addMSecs(row.afterMs);
        call("/StatusNotifierItem", item, row.method, {900, int(expected)});
        expected += row.counts;
        ASSERT_TRUE(QTest::qWaitFor([&] { return clicks.count() == expected; }, 3000))
            << row.method << " after " << row.afterMs << " ms";
    }
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(clicks[0][0].value<std::optional<QPoint>>(), QPoint(900, 0));
    EXPECT_EQ(clicks[2][0].value<std::optional<QPoint>>(), QPoint(900, 2));

    MenuLayout layout = menu();
    ASSERT_EQ(layout.children.size(), 2);
    EXPECT_EQ(layout.children[0].properties.value("label"), "Velmora \u00F6ffnen");
    EXPECT_EQ(layout.children[1].properties.value("label"), "Beenden");
    m_tray->setPanelShown(true);
    EXPECT_EQ(menu().children[0].properties.value("label"), "Velmora schlie\u00DFen");

    const QString dbusmenu = QStringLiteral("com.canonical.dbusmenu");
    const QVariant none = QVariant::fromValue(QDBusVariant(0));
    call("/MenuBar", dbusmenu, "Event", {layout.children[0].id, "clicked", none, 0u});
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 4; }, 3000));
    EXPECT_FALSE(clicks[3][0].value<std::optional<QPoint>>().has_value());
    call("/MenuBar", dbusmenu, "Event", {layout.children[1].id, "clicked", none, 0u});
    EXPECT_TRUE(QTest::qWaitFor([&] { return quits.count() == 1; }, 3000));

    // XFCE's panel clicks through EventGroup, a batch of (id, event, data, time).
    MenuEventList batch{{DBusMenu::openClose, "clicked", QDBusVariant(0), 0},
                        {7, "clicked", QDBusVariant(0), 0}};
    const QDBusMessage reply = roundTrip([&] {
        QDBusMessage m = QDBusMessage::createMethodCall(m_tray->serviceName(), "/MenuBar", dbusmenu,
                                                        "EventGroup");
        m << QVariant::fromValue(batch);
        return m;
    }());
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_EQ(qdbus_cast<QList<int>>(reply.arguments().value(0)), QList<int>{7}); // unknown id
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 5; }, 3000));
}

// Every method of com.canonical.dbusmenu that hosts call is on the bus and answers with the
// interface's signature: a method QtDBus cannot export is silently left off.
TEST_F(StatusNotifierTest, EveryMenuMethodAnswersAsTheInterfaceDefines) {
    struct Row {
        const char* method;
        QVariantList arguments;
        const char* replySignature;
    };
    const QList<int> ids{DBusMenu::openClose, DBusMenu::quit, 9};
    const Row rows[] = {
        {"GetLayout", {0, -1, QStringList{"label"}}, "u(ia{sv}av)"},
        {"GetGroupProperties", {QVariant::fromValue(ids), QStringList()}, "a(ia{sv})"},
        {"GetProperty", {DBusMenu::quit, "label"}, "v"},
        {"Event", {DBusMenu::root, "opened", QVariant::fromValue(QDBusVariant(0)), 0u}, ""},
        {"EventGroup", {QVariant::fromValue(MenuEventList{})}, "ai"},
        {"AboutToShow", {DBusMenu::root}, "b"},
        {"AboutToShowGroup", {QVariant::fromValue(ids)}, "aiai"},
    };
    for (const Row& row : rows) {
        QDBusMessage m = QDBusMessage::createMethodCall(m_tray->serviceName(), "/MenuBar",
                                                        "com.canonical.dbusmenu", row.method);
        m.setArguments(row.arguments);
        const QDBusMessage reply = roundTrip(m);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
            << row.method << ": " << reply.errorMessage().toStdString();
        EXPECT_EQ(reply.signature(), row.replySignature) << row.method;
    }
    // The id no entry has is an error for AboutToShowGroup, not for the known ones.
    QDBusMessage m = QDBusMessage::createMethodCall(m_tray->serviceName(), "/MenuBar",
                                                    "com.canonical.dbusmenu", "AboutToShowGroup");
    m << QVariant::fromValue(ids);
    EXPECT_EQ(qdbus_cast<QList<int>>(roundTrip(m).arguments().value(1)), QList<int>{9});
    EXPECT_EQ(property("Menu").value<QDBusObjectPath>().path(), "/MenuBar");
}

} // namespace

#include "status_notifier_test.moc"
