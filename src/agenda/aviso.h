#pragma once
// The reminder service: watches the agenda entries for as long as the program runs and opens the
// reminder window when an entry's reminder falls due.
//
// It runs on the user-interface thread, one pass a second on the event loop (a timer: between
// passes the program sleeps). A pass asks the engine only for the entries whose reminder is due
// and not yet acknowledged, through the index the schema keeps on the due moment, so its cost
// does not grow with the entries that are not due. Since every pass reads the file, the service
// sees an entry as soon as another window stored it.
#include <QObject>
#include <QTimer>

namespace zv {

class BaseDatos;

class Aviso : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Activo READ Activo WRITE setActivo)
public:
    explicit Aviso(QObject* parent = nullptr);
    ~Aviso() override;

    // True while the service runs; false stops its passes.
    bool Activo() const { return activo_; }
    void setActivo(bool si);
    // Starts the service: the first pass comes at once (on the event loop), then one a second.
    void Iniciar();

    // One pass: when no reminder window is open and no modal window is waiting for the user,
    // opens the reminder window on the first entry that is due, in the agenda's order (day,
    // start time, end time). Entries without an activity, which no agenda list shows, never
    // remind. Failures are ignored: the next pass tries again. Returns the key
    // of the entry shown, or 0.
    qint64 pasada();

    // The entry the reminder window would open on at the given moment, or 0.
    static qint64 primeraVencida(BaseDatos& bd, const QDateTime& momento);
    // The first due entry that no other seat shows, claimed for this one (avisos::reclamar);
    // 0 when none.
    static qint64 reclamarVencida(BaseDatos& bd, const QDateTime& momento);

    // The program's one service: started last by start-up, stopped and replaced by agenda
    // maintenance after a deletion.
    static Aviso* servicio();
    static void iniciarServicio();
    static void detenerServicio();

private:
    QTimer reloj_;
    bool activo_ = false;
    bool enPasada_ = false;
};

} // namespace zv
