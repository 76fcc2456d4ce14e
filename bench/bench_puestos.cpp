// Several seats working on one server database at once: each seat is a process of its own with
// its own connection (this program started again with --puesto N), editing shared rows through
// the record sources' guarded update, searching, and claiming due reminders. The first process
// prepares the data, starts the seats and checks what they did: no update lost (every edit
// either stored or refused, the final values the sum of those stored), no deadlock, no reminder
// held by two seats at once, and how long a commit of one seat takes to reach the others.
#include "bench.h"
#include "data/avisos.h"
#include "data/basedatos.h"
#include "data/cambiosajenos.h"
#include "data/dberror.h"
#include "data/demodatos.h"
#include "data/origenregistros.h"
#include "data/reloj.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kContadores = 10; // shared rows every seat edits
constexpr int kAvisos = 30;     // entries due at once, for the seats to claim
const QString kContador = u"Contador de puestos "_s;
const QString kMarca = u"Marca del puesto "_s;

qint64 ahoraMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

double mediana(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Lets the event loop run for `ms` (what a user's pause is to the program).
void pausa(int ms) {
    QEventLoop espera;
    QTimer::singleShot(ms, Qt::PreciseTimer, &espera, &QEventLoop::quit);
    espera.exec();
}

// --- One seat ----------------------------------------------------------------------------------

struct Puesto {
    Puesto(zv::BaseDatos& base, int n) : bd(base), numero(n), azar(quint32(n * 7919)) {}
    zv::BaseDatos& bd;
    int numero;
    QRandomGenerator azar;
    QList<qint64> contadores;
    QMap<qint64, int> marcas; // seat -> its row in ORIGENES
    QMap<qint64, int> aplicadas;
    int conflictos = 0, bloqueos = 0, esperas = 0, otros = 0, ajenos = 0;
    std::vector<double> busquedas, latencias;
    QMap<int, qint64> visto; // seat -> last mark seen
    qint64 comienzo = 0;     // when the seat began
    qint64 reclamada = 0;
    qint64 desde = 0; // when it claimed the entry it holds
    QStringList intervalos;
    QStringList errores;

    void fallo(const zv::Error& e) {
        if (const auto* d = dynamic_cast<const zv::DbError*>(&e)) {
            if (d->fallo() == zv::Fallo::Conflicto) {
                ++bloqueos;
                return;
            }
            if (d->fallo() == zv::Fallo::Ocupada) {
                ++esperas;
                return;
            }
        }
        ++otros;
        if (errores.size() < 5) errores << e.descripcion() + u" — "_s + e.detalle();
    }

    // A guarded edit: read the row, think a moment (while other seats may store it), store
    // the value plus one.
    void editar() {
        const qint64 id = contadores[int(azar.bounded(contadores.size()))];
        zv::OrigenRegistros o(u"dtcContador"_s, nullptr, &bd);
        o.establecerSql(u"SELECT EmpId, EmpNotas FROM EMPRESAS WHERE EmpId = %1"_s.arg(id));
        try {
            o.refrescar();
            const qint64 v = o.campo(u"EmpNotas"_s).toString().toLongLong();
            QThread::msleep(azar.bounded(20));
            o.asignar(u"EmpNotas"_s, QString::number(v + 1));
            o.actualizar();
        } catch (const zv::Error& e) {
            if (e.descripcion().startsWith(u"Otra ventana modificó este registro"_s))
                ++conflictos;
            else
                fallo(e);
            o.cancelarActualizacion();
            return;
        }
        ++aplicadas[id];
        marcar();
    }

    // The seat's mark: when it committed, for the other seats to see.
    void marcar() {
        try {
            bd.ejecutar(u"UPDATE ORIGENES SET OriDescripcion = ? WHERE OriId = ?"_s,
                        {kMarca + QString::number(numero) + u' ' + QString::number(ahoraMs()),
                         marcas.value(numero)});
        } catch (const zv::Error& e) {
            fallo(e);
        }
    }

    // What another seat's commit looks like here: its mark, read when this seat hears of it.
    void oir() {
        const qint64 oido = ahoraMs();
        try {
            zv::Sentencia s = bd.prepararJet(u"SELECT OriDescripcion FROM ORIGENES WHERE "
                                             u"OriDescripcion LIKE 'Marca del puesto %'"_s);
            while (s.paso()) {
                const QStringList partes = s.valor(0).toString().split(u' ');
                const int quien = partes.value(3).toInt();
                const qint64 cuando = partes.value(4).toLongLong();
                if (quien == numero || cuando == 0 || cuando <= visto.value(quien)) continue;
                visto[quien] = cuando;
                if (cuando >= comienzo) latencias.push_back(double(oido - cuando));
            }
        } catch (const zv::Error& e) {
            fallo(e);
        }
    }

    void buscar() {
        static const QStringList letras = {u"A"_s, u"B"_s, u"C"_s, u"M"_s, u"S"_s, u"T"_s};
        zv::OrigenRegistros o(u"dtcEmpresas"_s, nullptr, &bd);
        o.establecerSql(u"SELECT * FROM EMPRESAS WHERE EmpNombreFantasia LIKE '%1%' ORDER BY "
                        u"EmpNombreFantasia"_s.arg(letras[int(azar.bounded(letras.size()))]));
        QElapsedTimer t;
        t.start();
        try {
            o.refrescar();
            o.cantidad();
        } catch (const zv::Error& e) {
            fallo(e);
            return;
        }
        busquedas.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    void soltar() {
        if (!reclamada) return;
        intervalos << u"%1 %2 %3"_s.arg(reclamada).arg(desde).arg(ahoraMs());
        zv::avisos::soltar(bd, reclamada);
        reclamada = 0;
    }

    // As the reminder service: the first due entry no other seat shows, held until the next
    // time (the window open meanwhile).
    void avisar() {
        soltar();
        try {
            for (const qint64 id : zv::avisos::vencidas(bd, QDateTime::currentDateTime())) {
                if (!zv::avisos::reclamar(bd, id)) {
                    ++ajenos;
                    continue;
                }
                reclamada = id;
                desde = ahoraMs();
                return;
            }
        } catch (const zv::Error& e) {
            fallo(e);
        }
    }
};

void unPuesto(const zv::bench::Opciones& op) {
    const int numero = op.entero(u"puesto"_s, 1);
    const int segundos = op.entero(u"segundos"_s, 60);
    zv::BaseDatos bd(zv::bench::servidor(), zv::BaseDatos::Modo::AbrirExistente);
    Puesto p(bd, numero);
    {
        zv::Sentencia s = bd.prepararJet(u"SELECT EmpId FROM EMPRESAS WHERE EmpNombreFantasia "
                                         u"LIKE 'Contador de puestos %' ORDER BY EmpId"_s);
        while (s.paso())
            p.contadores << s.valor(0).toLongLong();
        zv::Sentencia m = bd.prepararJet(u"SELECT OriId, OriDescripcion FROM ORIGENES WHERE "
                                         u"OriDescripcion LIKE 'Marca del puesto %'"_s);
        while (m.paso())
            p.marcas[m.valor(1).toString().split(u' ').value(3).toInt()] =
                int(m.valor(0).toLongLong());
    }
    zv::CambiosAjenos oido(&bd);
    QObject::connect(&oido, &zv::CambiosAjenos::cambiaron, [&p] { p.oir(); });
    p.comienzo = ahoraMs();
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < qint64(segundos) * 1000) {
        const int que = int(p.azar.bounded(10));
        if (que < 5)
            p.editar();
        else if (que < 8)
            p.buscar();
        else
            p.avisar();
        // A user's pause between actions; the event loop hears the other seats meanwhile.
        pausa(10 + int(p.azar.bounded(40)));
    }
    p.soltar();
    pausa(600); // the last commits of the others arrive
    for (auto it = p.aplicadas.cbegin(); it != p.aplicadas.cend(); ++it)
        std::printf("aplicadas %lld %d\n", it.key(), it.value());
    std::printf("conflictos %d\nbloqueos %d\nesperas %d\notros %d\najenos %d\n", p.conflictos,
                p.bloqueos, p.esperas, p.otros, p.ajenos);
    for (double b : p.busquedas)
        std::printf("busqueda %.3f\n", b);
    for (double l : p.latencias)
        std::printf("latencia %.0f\n", l);
    for (const QString& i : std::as_const(p.intervalos))
        std::printf("reclamo %s\n", i.toUtf8().constData());
    for (const QString& e : std::as_const(p.errores))
        std::printf("error %s\n", QString(e).replace(u'\n', u' ').toUtf8().constData());
    std::fflush(stdout);
}

// --- The run -----------------------------------------------------------------------------------

void puestos(const zv::bench::Opciones& op) {
    if (op.valores.contains(u"puesto"_s)) {
        unPuesto(op);
        return;
    }
    if (zv::bench::servidor().isEmpty()) {
        std::fprintf(stderr, "Esta medición necesita una base de datos de un servidor "
                             "(--servidor AJUSTES).\n");
        std::exit(2);
    }
    const int n = op.entero(u"puestos"_s, 5);
    const int segundos = op.entero(u"segundos"_s, 60);
    zv::TamanoDemo tam;
    tam.empresas = 2000;
    tam.contactos = 500;
    tam.entradasAgenda = 1000;
    zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
    // Every entry already due is acknowledged; then kAvisos entries fall due now.
    bd.ejecutar(u"UPDATE CALENDARIO SET CalFueAvisado = 1"_s);
    const QDate hoy = QDate::currentDate();
    for (int i = 0; i < kAvisos; ++i)
        bd.ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, CalFormaAviso, "
                    u"CalAvisoHora, CalEstado, CalFueAvisado) SELECT MIN(ActId), ?, ?, 0, ?, "
                    u"'Pendiente', 0 FROM ACTIVIDADES"_s,
                    {hoy, QTime(8, 0).addSecs(60 * i), QTime(0, 0)});
    for (int i = 1; i <= kContadores; ++i)
        bd.ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, EmpNotas) VALUES (?, '0')"_s,
                    {kContador + QString::number(i)});
    for (int i = 1; i <= n; ++i)
        bd.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s,
                    {kMarca + QString::number(i) + u" 0"_s});

    std::vector<std::unique_ptr<QProcess>> procesos;
    for (int i = 1; i <= n; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {u"puestos"_s, u"--servidor"_s, zv::bench::servidor(), u"--puesto"_s,
                  QString::number(i), u"--segundos"_s, QString::number(segundos)});
        procesos.push_back(std::move(p));
    }
    QMap<qint64, int> aplicadas;
    int conflictos = 0, bloqueos = 0, esperas = 0, otros = 0, ajenos = 0, fallidos = 0;
    std::vector<double> busquedas, latencias;
    struct Intervalo {
        int puesto;
        qint64 desde, hasta;
    };
    QMap<qint64, std::vector<Intervalo>> reclamos;
    QStringList errores;
    for (int i = 0; i < n; ++i) {
        QProcess& p = *procesos[size_t(i)];
        if (!p.waitForFinished((segundos + 120) * 1000) || p.exitCode() != 0) {
            ++fallidos;
            p.kill();
            p.waitForFinished();
        }
        const QStringList lineas = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
        for (const QString& l : lineas) {
            const QStringList c = l.split(u' ');
            const QString& k = c.value(0);
            if (k == u"aplicadas"_s) aplicadas[c.value(1).toLongLong()] += c.value(2).toInt();
            if (k == u"conflictos"_s) conflictos += c.value(1).toInt();
            if (k == u"bloqueos"_s) bloqueos += c.value(1).toInt();
            if (k == u"esperas"_s) esperas += c.value(1).toInt();
            if (k == u"otros"_s) otros += c.value(1).toInt();
            if (k == u"ajenos"_s) ajenos += c.value(1).toInt();
            if (k == u"busqueda"_s) busquedas.push_back(c.value(1).toDouble());
            if (k == u"latencia"_s) latencias.push_back(c.value(1).toDouble());
            if (k == u"reclamo"_s)
                reclamos[c.value(1).toLongLong()].push_back(
                    {i + 1, c.value(2).toLongLong(), c.value(3).toLongLong()});
            if (k == u"error"_s && errores.size() < 5) errores << l.mid(6);
        }
    }

    // What the shared rows hold now against the edits the seats stored.
    int perdidas = 0, total = 0;
    zv::Sentencia s = bd.prepararJet(u"SELECT EmpId, EmpNotas FROM EMPRESAS WHERE "
                                     u"EmpNombreFantasia LIKE 'Contador de puestos %'"_s);
    while (s.paso()) {
        const qint64 id = s.valor(0).toLongLong();
        const int guardado = s.valor(1).toString().toInt();
        total += aplicadas.value(id);
        perdidas += std::abs(aplicadas.value(id) - guardado);
    }
    // No entry held by two seats at once.
    int solapes = 0, reclamados = 0;
    for (auto it = reclamos.begin(); it != reclamos.end(); ++it) {
        std::vector<Intervalo>& v = it.value();
        reclamados += int(v.size());
        std::sort(v.begin(), v.end(),
                  [](const Intervalo& a, const Intervalo& b) { return a.desde < b.desde; });
        for (size_t i = 1; i < v.size(); ++i)
            if (v[i].desde < v[i - 1].hasta && v[i].puesto != v[i - 1].puesto) ++solapes;
    }
    std::sort(latencias.begin(), latencias.end());
    const double peor = latencias.empty() ? 0 : latencias.back();
    const auto tarde =
        std::count_if(latencias.begin(), latencias.end(), [](double l) { return l > 2000; });
    std::printf("%d puestos durante %d s (%d terminaron mal)\n", n, segundos, fallidos);
    std::printf("  ediciones guardadas %d, rechazadas por cambio de otro puesto %d, "
                "perdidas %d\n",
                total, conflictos, perdidas);
    std::printf("  bloqueos mutuos %d, esperas agotadas %d, otros errores %d\n", bloqueos, esperas,
                otros);
    for (const QString& e : std::as_const(errores))
        std::printf("    %s\n", e.toUtf8().constData());
    std::printf("  búsquedas %zu, mediana %.1f ms\n", busquedas.size(), mediana(busquedas));
    std::printf("  avisos reclamados %d, ya tomados por otro puesto %d, tomados por dos a la vez "
                "%d\n",
                reclamados, ajenos, solapes);
    std::printf("  de la confirmación de un puesto al aviso en los demás: mediana %.0f ms, peor "
                "%.0f ms (%zu avisos, %lld pasados de 2 s)\n",
                mediana(latencias), peor, latencias.size(), static_cast<long long>(tarde));
    std::fflush(stdout);
    if (fallidos || perdidas || bloqueos || solapes) std::exit(1);
}

} // namespace

ZV_BENCH("puestos",
         "Cinco puestos a la vez sobre un servidor durante un minuto: ediciones, búsquedas y "
         "avisos (--servidor AJUSTES, --puestos N, --segundos S)",
         puestos);
