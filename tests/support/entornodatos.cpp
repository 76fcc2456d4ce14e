#include "support/entornodatos.h"

#include "data/regional.h"
#include "data/registro.h"
#include "data/reloj.h"
#include "support/servidorprueba.h"

#include <QLocale>

namespace zv::prueba {

namespace {
// How many test databases are open at once: a second one is another database on the server.
int& abiertas() {
    static int n = 0;
    return n;
}

std::function<void()>& cierre() {
    static std::function<void()> f;
    return f;
}
} // namespace

BaseDatosPrueba::BaseDatosPrueba() {
    ruta_ = enServidor() ? baseDeServidorVacia(abiertas()++)
                         : dir_.path() + QStringLiteral("/bd2000.mdb");
    bd_ = std::make_unique<BaseDatos>(ruta_);
    BaseDatos::establecerPrincipal(bd_.get());
}

BaseDatosPrueba::~BaseDatosPrueba() {
    if (enServidor()) --abiertas();
    if (cierre()) cierre()();
    if (BaseDatos::principalSiHay() == bd_.get()) BaseDatos::establecerPrincipal(nullptr);
}

void BaseDatosPrueba::alSoltar(std::function<void()> cerrar) {
    cierre() = std::move(cerrar);
}

int BaseDatosPrueba::ejecutar(const QString& sql, const QVariantList& parametros) {
    return bd_->ejecutar(sql, parametros);
}

QVariant BaseDatosPrueba::escalar(const QString& sql, const QVariantList& parametros) {
    return bd_->escalar(sql, parametros);
}

qint64 BaseDatosPrueba::contar(const QString& tabla) {
    return bd_->escalar(QStringLiteral("SELECT count(*) FROM ") + tabla).toLongLong();
}

EntornoDatos::EntornoDatos() {
    Regional::establecer(QLocale(QLocale::Spanish, QLocale::Spain));
    QLocale::setDefault(Regional::locale());
    registro_ = std::make_unique<RegistroIni>(carpeta_.path() + QStringLiteral("/registro.ini"));
    establecerRegistro(registro_.get());
}

EntornoDatos::~EntornoDatos() {
    establecerRegistro(nullptr);
    establecerReloj(nullptr);
}

QStringList valoresDe(const OrigenRegistros& o, const QString& campo) {
    QStringList l;
    const int c = o.indiceCampo(campo);
    for (int i = 0; i < o.cantidad(); ++i)
        l << o.valor(i, c).toString();
    return l;
}

} // namespace zv::prueba
