#include "ui/ayuda.h"

#include "data/aplicacion.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace ayuda {

namespace {

QHash<QString, QString>& valores() {
    static QHash<QString, QString> v;
    return v;
}

QString leer(const QString& clave) {
    QFile f(u":/ayuda/"_s + clave + u".html"_s);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString html = QString::fromUtf8(f.readAll());
    // <!--valor:nombre-->what a page read outside the program says<!--/valor-->
    for (auto it = valores().cbegin(); it != valores().cend(); ++it) {
        const QString inicio = u"<!--valor:%1-->"_s.arg(it.key());
        for (qsizetype i = html.indexOf(inicio); i >= 0; i = html.indexOf(inicio, i)) {
            const qsizetype fin = html.indexOf(u"<!--/valor-->"_s, i);
            const qsizetype largo = fin < 0 ? inicio.size() : fin + 13 - i;
            html.replace(i, largo, it.value().toHtmlEscaped());
            i += it.value().toHtmlEscaped().size();
        }
    }
    return html;
}

QString indice() {
    QString lista;
    for (const PaginaAyuda& p : paginas()) {
        if (p.clave == u"inicio"_s) continue;
        lista += u"<li><a href=\"%1\">%2</a></li>\n"_s.arg(p.clave, p.titulo.toHtmlEscaped());
    }
    QString inicio = leer(u"inicio"_s);
    const QString bloque = u"<h2>Contenido</h2>\n<ul>\n"_s + lista + u"</ul>\n"_s;
    if (inicio.contains(u"<!--contenido-->"_s))
        return inicio.replace(u"<!--contenido-->"_s, bloque);
    return u"<html><body><h1>%1</h1>%2</body></html>"_s.arg(aplicacion::kTitulo, bloque);
}

} // namespace

QList<PaginaAyuda> paginas() {
    QList<PaginaAyuda> l;
    static const QRegularExpression titulo(u"<title>(.*?)</title>"_s,
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression orden(u"<meta\\s+name=\"orden\"\\s+content=\"(\\d+)\""_s);
    const QDir dir(u":/ayuda"_s);
    for (const QString& archivo : dir.entryList({u"*.html"_s}, QDir::Files)) {
        PaginaAyuda p;
        p.clave = archivo.chopped(5);
        const QString html = leer(p.clave);
        const auto mt = titulo.match(html);
        p.titulo = mt.hasMatch() ? mt.captured(1).trimmed() : p.clave;
        const auto mo = orden.match(html);
        if (mo.hasMatch()) p.orden = mo.captured(1).toInt();
        l << p;
    }
    std::sort(l.begin(), l.end(), [](const PaginaAyuda& a, const PaginaAyuda& b) {
        return a.orden != b.orden ? a.orden < b.orden : a.titulo < b.titulo;
    });
    return l;
}

void definirValor(const QString& nombre, const QString& valor) {
    valores().insert(nombre, valor);
}

bool existe(const QString& clave) {
    return !clave.isEmpty() && QFile::exists(u":/ayuda/"_s + clave + u".html"_s);
}

QString html(const QString& clave) {
    if (clave.isEmpty() || clave == u"inicio"_s || !existe(clave)) return indice();
    return leer(clave);
}

} // namespace ayuda

VentanaAyuda::VentanaAyuda() {
    setObjectName(u"frmAyuda"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(aplicacion::titulo(u" - Ayuda"_s));
    resize(720, 560);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    navegador_ = new QTextBrowser(this);
    navegador_->setOpenLinks(false);
    l->addWidget(navegador_);
    connect(navegador_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty()) ir(url.path());
    });
}

void VentanaAyuda::ir(const QString& clave) {
    navegador_->setHtml(ayuda::html(clave));
}

void VentanaAyuda::mostrar(const QString& pagina) {
    static QPointer<VentanaAyuda> unica;
    if (!unica) unica = new VentanaAyuda;
    unica->ir(pagina);
    unica->show();
    unica->raise();
    unica->activateWindow();
}

} // namespace zv
