#pragma once
// Hearing that another seat (another program on the same database) committed a change, for the
// lists that show what the database holds. The engine's socket wakes it as soon as a server
// announces a commit; a look four times a second on a server, once a second on a file (the
// engine's version, which costs next to nothing) covers what the socket cannot tell, such as the
// file another program writes to. Each
// change is announced once, and never while a transaction of this connection is open: the lists
// would read what it has not yet stored.
#include <QObject>
#include <QTimer>
#include <memory>

class QSocketNotifier;

namespace zv {

class BaseDatos;

class CambiosAjenos : public QObject {
    Q_OBJECT
public:
    // Watches `bd`, or, without one, the program's connection (whichever it is at the time).
    explicit CambiosAjenos(BaseDatos* bd = nullptr, QObject* parent = nullptr);
    ~CambiosAjenos() override;

    // The program's one, over its connection.
    static CambiosAjenos& programa();

    // Looks now, as the timer and the socket do by themselves; true when it announced a change.
    bool comprobar();

Q_SIGNALS:
    // Another connection committed a change since the last announcement.
    void cambiaron();

private:
    BaseDatos* base() const;
    void seguir(BaseDatos* bd);
    void vigilarSocket();

    BaseDatos* fija_ = nullptr;     // the connection given, while it is open
    bool sigue_ = false;            // follows the program's connection
    BaseDatos* vigilada_ = nullptr; // the connection the version below belongs to
    quint64 version_ = 0;
    bool pendiente_ = false; // a change heard, not yet announced
    QTimer sondeo_;
    QTimer juntar_; // the socket's wake-ups within a moment make one look
    std::unique_ptr<QSocketNotifier> socket_;
    int descriptor_ = -1;
};

} // namespace zv
