// How PostgreSQL writes the Jet dialect, the tables and the functions the statements use.
#include "data/postgres/dialectopostgres.h"

#include "data/dialecto.h"
#include "data/esquema.h"
#include "data/regional.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zv::motorpostgres {

namespace {

QString tokensQt(const QString& patron);
QString unir(const QStringList& l);

// Words PostgreSQL never takes as a bare name: such a name keeps its quotes.
bool esReservada(const QString& s) {
    static const QStringList reservadas = {u"all"_s,
                                           u"analyse"_s,
                                           u"analyze"_s,
                                           u"and"_s,
                                           u"any"_s,
                                           u"array"_s,
                                           u"as"_s,
                                           u"asc"_s,
                                           u"asymmetric"_s,
                                           u"authorization"_s,
                                           u"binary"_s,
                                           u"both"_s,
                                           u"case"_s,
                                           u"cast"_s,
                                           u"check"_s,
                                           u"collate"_s,
                                           u"collation"_s,
                                           u"column"_s,
                                           u"concurrently"_s,
                                           u"constraint"_s,
                                           u"create"_s,
                                           u"cross"_s,
                                           u"current_catalog"_s,
                                           u"current_date"_s,
                                           u"current_role"_s,
                                           u"current_schema"_s,
                                           u"current_time"_s,
                                           u"current_timestamp"_s,
                                           u"current_user"_s,
                                           u"default"_s,
                                           u"deferrable"_s,
                                           u"desc"_s,
                                           u"distinct"_s,
                                           u"do"_s,
                                           u"else"_s,
                                           u"end"_s,
                                           u"except"_s,
                                           u"false"_s,
                                           u"fetch"_s,
                                           u"for"_s,
                                           u"foreign"_s,
                                           u"freeze"_s,
                                           u"from"_s,
                                           u"full"_s,
                                           u"grant"_s,
                                           u"group"_s,
                                           u"having"_s,
                                           u"ilike"_s,
                                           u"in"_s,
                                           u"initially"_s,
                                           u"inner"_s,
                                           u"intersect"_s,
                                           u"into"_s,
                                           u"is"_s,
                                           u"isnull"_s,
                                           u"join"_s,
                                           u"lateral"_s,
                                           u"leading"_s,
                                           u"left"_s,
                                           u"like"_s,
                                           u"limit"_s,
                                           u"localtime"_s,
                                           u"localtimestamp"_s,
                                           u"natural"_s,
                                           u"not"_s,
                                           u"notnull"_s,
                                           u"null"_s,
                                           u"offset"_s,
                                           u"on"_s,
                                           u"only"_s,
                                           u"or"_s,
                                           u"order"_s,
                                           u"outer"_s,
                                           u"overlaps"_s,
                                           u"placing"_s,
                                           u"primary"_s,
                                           u"references"_s,
                                           u"returning"_s,
                                           u"right"_s,
                                           u"select"_s,
                                           u"session_user"_s,
                                           u"similar"_s,
                                           u"some"_s,
                                           u"symmetric"_s,
                                           u"table"_s,
                                           u"tablesample"_s,
                                           u"then"_s,
                                           u"to"_s,
                                           u"trailing"_s,
                                           u"true"_s,
                                           u"union"_s,
                                           u"unique"_s,
                                           u"user"_s,
                                           u"using"_s,
                                           u"variadic"_s,
                                           u"verbose"_s,
                                           u"when"_s,
                                           u"where"_s,
                                           u"window"_s,
                                           u"with"_s};
    return reservadas.contains(s.toLower());
}

// What PostgreSQL does to a bare name: ASCII capitals become small letters.
QString plegarNombre(const QString& s) {
    QString r = s;
    for (QChar& c : r)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
    return r;
}

// A name written so that it means what the same name written bare means: bare when it can be,
// else in quotes, in the small letters a bare name would have become.
QString nombreServidor(const QString& nombre) {
    static const QRegularExpression simple(
        u"^[A-Za-z_\\x{80}-\\x{10FFFF}][A-Za-z0-9_$\\x{80}-\\x{10FFFF}]*$"_s);
    if (simple.match(nombre).hasMatch() && !esReservada(nombre)) return nombre;
    QString n = plegarNombre(nombre);
    n.replace(u'"', u"\"\""_s);
    return u'"' + n + u'"';
}

const Tabla* tablaDe(const QString& nombre) {
    return esquema::tabla(nombre);
}

// The text columns of the schema are compared by the program's collation.
QString colacion() {
    return QString::fromLatin1(sql::kColacion).toLower();
}

QString tipoColumna(const Campo& c) {
    const QString n = QLatin1String(c.nombre);
    switch (c.tipo) {
    case TipoCampo::Contador:
        return n + u" bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"_s;
    case TipoCampo::Entero:
        return n + u" bigint"_s;
    case TipoCampo::Texto:
    case TipoCampo::Libre:
        return n + u" text COLLATE "_s + colacion();
    case TipoCampo::Fecha:
        return n + u" date"_s;
    case TipoCampo::Hora:
        return n + u" time(0)"_s;
    case TipoCampo::SiNo:
        return u"%1 smallint CONSTRAINT sino_%1 CHECK (%1 IN (0, 1))"_s.arg(n);
    case TipoCampo::Moneda:
        return n + u" numeric(19,4)"_s;
    }
    return n;
}

bool esTexto(const QString& tabla, const QString& campo) {
    bool encontrado = false;
    const TipoCampo t = esquema::tipo(tabla, campo, &encontrado);
    return encontrado && (t == TipoCampo::Texto || t == TipoCampo::Libre);
}

// The order's key of a text: the program's collation written as a text whose bytes order the same
// way (data/funciones.cpp, compararUtf8): the letters without accents, small, with ñ between n
// and o; then, after a separator lower than any letter, the small letters themselves, which break
// ties by their accents. Equal keys are equal texts.
QStringList funcionOrden() {
    QString desde, hacia, comunesDesde, comunesHacia;
    for (char32_t c = 0xC0; c < 0x250; ++c) {
        const char32_t plegado = QChar::toCaseFolded(c);
        if (plegado == 0xF1) continue; // ñ: replaced below
        const QString d = QString::fromUcs4(&plegado, 1).normalized(QString::NormalizationForm_D);
        char32_t base = plegado;
        if (d.size() > 1 && d.at(0).unicode() < 0x80) base = d.at(0).unicode();
        if (base == c) continue;
        desde += QString::fromUcs4(&c, 1);
        hacia += QString::fromUcs4(&base, 1);
        if (c >= 0xE0 && c <= 0xFF) {
            comunesDesde += QString::fromUcs4(&c, 1);
            comunesHacia += QString::fromUcs4(&base, 1);
        }
    }
    // translate() walks its whole list for every letter that is not in it, so a text of plain
    // letters (most names) takes the short way, and a text with accents first loses the usual
    // ones (a short list) and walks the long list only when some other letter is left.
    return {
        uR"sql(CREATE FUNCTION zv_orden_letras(t text) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT PARALLEL SAFE AS $$
DECLARE
  l text := lower(t COLLATE "und-x-icu");
  s text := translate(l, '%1', '%2');
BEGIN
  IF octet_length(s) - char_length(s) <> char_length(s) - char_length(replace(s COLLATE "C", 'ñ', '')) THEN
    s := translate(s, '%3', '%4');
  END IF;
  RETURN replace(s COLLATE "C", 'ñ', 'n' || U&'\+10FFFD') || U&'\0001' || l;
END $$)sql"_s.arg(comunesDesde, comunesHacia, desde, hacia),
        uR"sql(CREATE FUNCTION zv_orden(t text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN octet_length(t) = char_length(t)
  THEN lower(t COLLATE "C") || U&'\0001' || lower(t COLLATE "C")
  ELSE zv_orden_letras(t) END $$)sql"_s};
}

// The Jet functions the statements use, and what they need. CSTR and FORMAT write as the
// program's regional settings say: each connection hands its own to the server (zv.* settings,
// see ajustesRegionales()); a session without them writes as the program that made the schema.
QStringList funciones() {
    QStringList f;
    // Stable, not immutable: an immutable call with a constant message would be evaluated while
    // the statement is planned, failing statements that never reach it.
    f << uR"sql(CREATE FUNCTION zv_fallo(mensaje text) RETURNS bigint LANGUAGE plpgsql STABLE AS $$
BEGIN
  RAISE EXCEPTION USING MESSAGE = mensaje, ERRCODE = '22023';
END $$)sql"_s;
    f << funcionOrden();
    // INSTR(start, text, sought): the 1-based position of sought in text from start, letter
    // case aside; INSTR(text, sought), its two-argument form, compares exactly.
    f << uR"sql(CREATE FUNCTION zv_instr(inicio bigint, h text, a text) RETURNS bigint LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT CASE
  WHEN inicio IS NULL OR h IS NULL OR a IS NULL THEN NULL
  WHEN inicio = 1 THEN strpos(lower(h COLLATE "und-x-icu"), lower(a COLLATE "und-x-icu"))::bigint
  WHEN inicio < 1 THEN zv_fallo('INSTR: la posición inicial debe ser 1 o mayor')
  WHEN inicio > char_length(h) + 1 THEN 0
  ELSE coalesce(nullif(strpos(lower(substr(h, inicio::integer) COLLATE "und-x-icu"),
                              lower(a COLLATE "und-x-icu")), 0) + inicio - 1, 0)
END $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_instr2(h text, a text) RETURNS bigint LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT strpos(h COLLATE "C", a COLLATE "C")::bigint $$)sql"_s;
    // REPLACE(text, sought, by) replaces exactly, letter case included, as the file does (the
    // server refuses substring searches under the program's collation).
    f << uR"sql(CREATE FUNCTION zv_replace(t text, a text, b text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT replace(t COLLATE "C", a COLLATE "C", b COLLATE "C") $$)sql"_s;
    // A regional setting of the session; a session that did not give them (another program)
    // writes as the program that created the database did.
    QStringList casos;
    for (const auto& [nombre, valor] : ajustesRegionales())
        casos << u"WHEN '%1' THEN %2"_s.arg(nombre.mid(3), sql::literal(valor));
    f << uR"sql(CREATE FUNCTION zv_ajuste(nombre text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT coalesce(nullif(current_setting('zv.' || nombre, true), ''), CASE nombre %1 END) $$)sql"_s
             .arg(casos.join(u' '));
    // A date "YYYY-MM-DD" and a time "HH:MM:SS" (or "HH:MM") as the file stores them.
    f << uR"sql(CREATE FUNCTION zv_es_fecha(valor text) RETURNS boolean LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
  s text COLLATE "C" := valor;
  a integer;
  m integer;
  d integer;
BEGIN
  IF s IS NULL OR s !~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}$' THEN RETURN false; END IF;
  a := substr(s, 1, 4)::integer;
  m := substr(s, 6, 2)::integer;
  d := substr(s, 9, 2)::integer;
  IF a < 1 OR m < 1 OR m > 12 OR d < 1 THEN RETURN false; END IF;
  RETURN d <= extract(day FROM make_date(a, m, 1) + interval '1 month' - interval '1 day');
END $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_es_hora(valor text) RETURNS boolean LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
  s text COLLATE "C" := valor;
BEGIN
  IF s IS NULL OR s !~ '^[0-9]{2}:[0-9]{2}(:[0-9]{2})?$' THEN RETURN false; END IF;
  RETURN substr(s, 1, 2)::integer < 24 AND substr(s, 4, 2)::integer < 60
     AND (char_length(s) = 5 OR substr(s, 7, 2)::integer < 60);
END $$)sql"_s;
    // A date or time written with a pattern of the regional settings: tokens separated by
    // chr(31), a literal text after an apostrophe.
    f << uR"sql(CREATE FUNCTION zv_qt(f date, h time, patron text) RETURNS text LANGUAGE plpgsql STABLE PARALLEL SAFE AS $$
DECLARE
  t text COLLATE "C";
  r text COLLATE "C" := '';
  partes text[] := string_to_array(patron, chr(31));
  dia integer := coalesce(extract(day FROM f)::integer, 0);
  mes integer := coalesce(extract(month FROM f)::integer, 0);
  anio integer := coalesce(extract(year FROM f)::integer, 0);
  dsem integer := coalesce(extract(isodow FROM f)::integer, 0);
  hor integer := coalesce(extract(hour FROM h)::integer, 0);
  mnt integer := coalesce(extract(minute FROM h)::integer, 0);
  seg integer := coalesce(floor(extract(second FROM h))::integer, 0);
  doce boolean;
  h12 integer;
BEGIN
  IF partes IS NULL THEN RETURN NULL; END IF;
  doce := 'AP' = ANY (partes) OR 'ap' = ANY (partes);
  h12 := CASE WHEN hor % 12 = 0 THEN 12 ELSE hor % 12 END;
  FOREACH t IN ARRAY partes LOOP
    r := r || CASE
      WHEN left(t, 1) = '''' THEN substr(t, 2)
      WHEN t = 'd' THEN dia::text
      WHEN t = 'dd' THEN lpad(dia::text, 2, '0')
      WHEN t = 'ddd' THEN coalesce((string_to_array(zv_ajuste('dias_cortos'), chr(31)))[dsem], '')
      WHEN t = 'dddd' THEN coalesce((string_to_array(zv_ajuste('dias_largos'), chr(31)))[dsem], '')
      WHEN t = 'M' THEN mes::text
      WHEN t = 'MM' THEN lpad(mes::text, 2, '0')
      WHEN t = 'MMM' THEN coalesce((string_to_array(zv_ajuste('meses_cortos'), chr(31)))[mes], '')
      WHEN t = 'MMMM' THEN coalesce((string_to_array(zv_ajuste('meses_largos'), chr(31)))[mes], '')
      WHEN t = 'yy' THEN lpad((anio % 100)::text, 2, '0')
      WHEN t = 'yyyy' THEN lpad(anio::text, 4, '0')
      WHEN t = 'H' THEN hor::text
      WHEN t = 'HH' THEN lpad(hor::text, 2, '0')
      WHEN t = 'h' THEN (CASE WHEN doce THEN h12 ELSE hor END)::text
      WHEN t = 'hh' THEN lpad((CASE WHEN doce THEN h12 ELSE hor END)::text, 2, '0')
      WHEN t = 'm' THEN mnt::text
      WHEN t = 'mm' THEN lpad(mnt::text, 2, '0')
      WHEN t = 's' THEN seg::text
      WHEN t = 'ss' THEN lpad(seg::text, 2, '0')
      WHEN t = 'AP' THEN upper(CASE WHEN hor < 12 THEN coalesce(zv_ajuste('am'), 'a. m.') ELSE coalesce(zv_ajuste('pm'), 'p. m.') END)
      WHEN t = 'ap' THEN lower(CASE WHEN hor < 12 THEN coalesce(zv_ajuste('am'), 'a. m.') ELSE coalesce(zv_ajuste('pm'), 'p. m.') END)
      ELSE t
    END;
  END LOOP;
  RETURN r;
END $$)sql"_s;
    // Reading a date the way a user types it: the regional short form (day first unless the
    // settings say otherwise), ISO, or with the month's name.
    f << uR"sql(CREATE FUNCTION zv_leer_fecha(valor text) RETURNS date LANGUAGE plpgsql STABLE PARALLEL SAFE AS $$
DECLARE
  s text COLLATE "C" := btrim(valor);
  p text[];
  a integer;
  b integer;
  c integer;
  dia integer;
  mes integer := 0;
  nombre text;
  k integer;
BEGIN
  IF s IS NULL OR s = '' THEN RETURN NULL; END IF;
  IF zv_es_fecha(s) THEN RETURN s::date; END IF;
  p := regexp_match(s, '^([0-9]{1,2})[/.-]([0-9]{1,2})[/.-]([0-9]{2}|[0-9]{4})$');
  IF p IS NOT NULL THEN
    a := p[1]::integer;
    b := p[2]::integer;
    c := p[3]::integer;
    IF coalesce(zv_ajuste('dia_primero'), '1') = '1' THEN dia := a; mes := b; ELSE dia := b; mes := a; END IF;
  ELSE
    p := regexp_match(s, '^([0-9]{1,2})[[:space:]/.-]+([^[:space:]/.0-9-]+)\.?[[:space:]/.-]+([0-9]{2}|[0-9]{4})$');
    IF p IS NULL THEN RETURN NULL; END IF;
    dia := p[1]::integer;
    c := p[3]::integer;
    nombre := lower(p[2] COLLATE "und-x-icu");
    FOR k IN 1..12 LOOP
      IF lower((string_to_array(coalesce(zv_ajuste('meses_jet'), 'ene'||chr(31)||'feb'||chr(31)||'mar'||chr(31)||'abr'||chr(31)||'may'||chr(31)||'jun'||chr(31)||'jul'||chr(31)||'ago'||chr(31)||'sep'||chr(31)||'oct'||chr(31)||'nov'||chr(31)||'dic'), chr(31)))[k] COLLATE "und-x-icu") = left(nombre, 3)
         AND starts_with(lower((string_to_array(zv_ajuste('meses_largos'), chr(31)))[k] COLLATE "und-x-icu"), nombre) THEN
        mes := k;
        EXIT;
      END IF;
    END LOOP;
    IF mes = 0 THEN RETURN NULL; END IF;
  END IF;
  IF c < 100 THEN c := c + CASE WHEN c < 30 THEN 2000 ELSE 1900 END; END IF;
  IF c < 1 OR mes < 1 OR mes > 12 OR dia < 1 THEN RETURN NULL; END IF;
  IF dia > extract(day FROM make_date(c, mes, 1) + interval '1 month' - interval '1 day') THEN RETURN NULL; END IF;
  RETURN make_date(c, mes, dia);
END $$)sql"_s;
    // CSTR: the regional text of a date, a time or a number; other texts as they are.
    f << uR"sql(CREATE FUNCTION zv_cstr(valor text) RETURNS text LANGUAGE plpgsql STABLE PARALLEL SAFE AS $$
DECLARE
  s text COLLATE "C" := valor;
BEGIN
  IF s IS NULL THEN RETURN NULL; END IF;
  IF char_length(s) = 10 THEN
    IF zv_es_fecha(s) THEN RETURN zv_qt(s::date, NULL, zv_ajuste('fecha_corta')); END IF;
  ELSIF char_length(s) = 8 THEN
    IF zv_es_hora(s) THEN RETURN zv_qt(NULL, s::time, zv_ajuste('hora_larga')); END IF;
  ELSIF char_length(s) = 19 AND substr(s, 11, 1) = ' ' THEN
    IF zv_es_fecha(left(s, 10)) AND zv_es_hora(substr(s, 12)) THEN
      RETURN zv_qt(left(s, 10)::date, NULL, zv_ajuste('fecha_corta')) || ' ' ||
             zv_qt(NULL, substr(s, 12)::time, zv_ajuste('hora_larga'));
    END IF;
  END IF;
  RETURN s;
END $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v date) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_qt(v, NULL, zv_ajuste('fecha_corta')) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v time) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_qt(NULL, v, zv_ajuste('hora_larga')) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v timestamp) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_qt(v::date, NULL, zv_ajuste('fecha_corta')) || ' ' || zv_qt(NULL, v::time, zv_ajuste('hora_larga')) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v bigint) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT v::text $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v integer) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT v::text $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v numeric) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT replace(trim_scale(round(v, 10))::text, '.', coalesce(zv_ajuste('decimal'), ',')) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_cstr(v double precision) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_cstr(v::numeric) $$)sql"_s;
    // FORMAT(value, pattern): the program's Jet patterns, over the value as the file stores it.
    f << uR"sql(CREATE FUNCTION zv_formatear(valor text, patron text) RETURNS text LANGUAGE plpgsql STABLE PARALLEL SAFE AS $$
DECLARE
  s text COLLATE "C" := valor;
  p text COLLATE "C" := patron;
  f date;
  h time;
  nombre text COLLATE "C";
  r text COLLATE "C" := '';
  c text COLLATE "C";
  i integer := 1;
  k integer;
  largo integer;
  tras boolean := false;
  dia integer;
  mes integer;
  anio integer;
  dsem integer;
BEGIN
  IF s IS NULL THEN RETURN NULL; END IF;
  IF p IS NULL THEN RETURN zv_cstr(s); END IF;
  IF zv_es_fecha(left(s, 10)) THEN
    f := left(s, 10)::date;
    IF char_length(s) >= 19 AND zv_es_hora(substr(s, 12, 8)) THEN h := substr(s, 12, 8)::time; END IF;
  ELSIF zv_es_hora(s) THEN
    h := s::time;
  ELSE
    f := zv_leer_fecha(s);
    IF f IS NULL THEN RETURN s; END IF;
  END IF;
  dia := coalesce(extract(day FROM f)::integer, 0);
  mes := coalesce(extract(month FROM f)::integer, 0);
  anio := coalesce(extract(year FROM f)::integer, 0);
  dsem := coalesce(extract(isodow FROM f)::integer, 0);
  nombre := lower(btrim(p));
  IF nombre = 'medium date' THEN
    IF f IS NULL THEN RETURN ''; END IF;
    RETURN lpad(dia::text, 2, '0') || '-' || coalesce((string_to_array(zv_ajuste('meses_jet'), chr(31)))[mes], '') || '-' || lpad((anio % 100)::text, 2, '0');
  ELSIF nombre = 'short date' THEN
    RETURN CASE WHEN f IS NULL THEN '' ELSE zv_qt(f, NULL, zv_ajuste('fecha_corta')) END;
  ELSIF nombre = 'long date' THEN
    RETURN CASE WHEN f IS NULL THEN '' ELSE zv_qt(f, NULL, zv_ajuste('fecha_larga')) END;
  ELSIF nombre = 'long time' THEN
    RETURN zv_qt(NULL, coalesce(h, time '00:00'), zv_ajuste('hora_larga'));
  ELSIF nombre = 'short time' THEN
    RETURN CASE WHEN h IS NULL THEN '' ELSE to_char(h, 'HH24:MI') END;
  END IF;
  largo := char_length(p);
  WHILE i <= largo LOOP
    c := lower(substr(p, i, 1));
    k := 1;
    WHILE i + k <= largo AND lower(substr(p, i + k, 1)) = c LOOP
      k := k + 1;
    END LOOP;
    IF c = 'd' THEN
      r := r || CASE WHEN k = 1 THEN dia::text WHEN k = 2 THEN lpad(dia::text, 2, '0')
                     WHEN k = 3 THEN coalesce((string_to_array(zv_ajuste('dias_cortos'), chr(31)))[dsem], '')
                     ELSE coalesce((string_to_array(zv_ajuste('dias_largos'), chr(31)))[dsem], '') END;
      tras := false;
    ELSIF c = 'm' THEN
      IF tras AND k <= 2 THEN
        r := r || CASE WHEN k = 1 THEN coalesce(extract(minute FROM h)::integer, 0)::text
                       ELSE lpad(coalesce(extract(minute FROM h)::integer, 0)::text, 2, '0') END;
      ELSE
        r := r || CASE WHEN k = 1 THEN mes::text WHEN k = 2 THEN lpad(mes::text, 2, '0')
                       WHEN k = 3 THEN coalesce((string_to_array(zv_ajuste('meses_jet'), chr(31)))[mes], '')
                       ELSE coalesce((string_to_array(zv_ajuste('meses_largos'), chr(31)))[mes], '') END;
      END IF;
      tras := false;
    ELSIF c = 'y' THEN
      r := r || CASE WHEN k <= 2 THEN lpad((anio % 100)::text, 2, '0') ELSE anio::text END;
    ELSIF c = 'h' THEN
      r := r || CASE WHEN k = 1 THEN coalesce(extract(hour FROM h)::integer, 0)::text
                     ELSE lpad(coalesce(extract(hour FROM h)::integer, 0)::text, 2, '0') END;
      tras := true;
    ELSIF c = 'n' THEN
      r := r || CASE WHEN k = 1 THEN coalesce(extract(minute FROM h)::integer, 0)::text
                     ELSE lpad(coalesce(extract(minute FROM h)::integer, 0)::text, 2, '0') END;
    ELSIF c = 's' THEN
      r := r || CASE WHEN k = 1 THEN coalesce(floor(extract(second FROM h))::integer, 0)::text
                     ELSE lpad(coalesce(floor(extract(second FROM h))::integer, 0)::text, 2, '0') END;
    ELSE
      r := r || substr(p, i, k);
      IF c <> ':' THEN tras := false; END IF;
    END IF;
    i := i + k;
  END LOOP;
  RETURN r;
END $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v text, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(v, patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v date, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(to_char(v, 'YYYY-MM-DD'), patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v time, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(to_char(v, 'HH24:MI:SS'), patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v timestamp, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(to_char(v, 'YYYY-MM-DD HH24:MI:SS'), patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v bigint, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(v::text, patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v integer, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(v::text, patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v double precision, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(v::text, patron) $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_format(v numeric, patron text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE AS $$
SELECT zv_formatear(v::double precision::text, patron) $$)sql"_s;
    // DAY, MONTH, YEAR of a date (a text that does not start with one, or a number, gives null).
    for (const auto& [jet, campo] :
         {std::pair{u"day"_s, u"day"_s}, std::pair{u"month"_s, u"month"_s},
          std::pair{u"year"_s, u"year"_s}}) {
        f << u"CREATE FUNCTION zv_%1(v date) RETURNS integer LANGUAGE sql IMMUTABLE PARALLEL SAFE "
             u"AS $$ SELECT extract(%2 FROM v)::integer $$"_s.arg(jet, campo);
        f << u"CREATE FUNCTION zv_%1(v timestamp) RETURNS integer LANGUAGE sql IMMUTABLE PARALLEL "
             u"SAFE AS $$ SELECT extract(%2 FROM v)::integer $$"_s.arg(jet, campo);
        f << u"CREATE FUNCTION zv_%1(v text) RETURNS integer LANGUAGE sql IMMUTABLE PARALLEL SAFE "
             u"AS $$ SELECT CASE WHEN zv_es_fecha(left(v, 10)) THEN extract(%2 FROM left(v, "
             u"10)::date)::integer END $$"_s.arg(jet, campo);
        f << u"CREATE FUNCTION zv_%1(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE "
             u"PARALLEL SAFE AS $$ SELECT NULL::integer $$"_s.arg(jet);
    }
    f << uR"sql(CREATE FUNCTION zv_ucase(v text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT upper(v COLLATE "und-x-icu") $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_lcase(v text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT lower(v COLLATE "und-x-icu") $$)sql"_s;
    f << uR"sql(CREATE FUNCTION zv_len(v text) RETURNS bigint LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
SELECT char_length(v)::bigint $$)sql"_s;
    return f;
}

// A Qt date or time pattern ("dddd, d 'de' MMMM 'de' yyyy") as zv_qt's tokens.
QString tokensQt(const QString& patron) {
    QStringList out;
    QString literal;
    auto cerrarLiteral = [&] {
        if (!literal.isEmpty()) out << u'\'' + literal;
        literal.clear();
    };
    const int n = int(patron.size());
    for (int i = 0; i < n;) {
        const QChar c = patron.at(i);
        if (c == u'\'') {
            if (i + 1 < n && patron.at(i + 1) == u'\'') {
                literal += u'\'';
                i += 2;
                continue;
            }
            ++i;
            while (i < n) {
                if (patron.at(i) == u'\'') {
                    if (i + 1 < n && patron.at(i + 1) == u'\'') {
                        literal += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += patron.at(i++);
            }
            continue;
        }
        if (u"dMyHhmsAaPpzt"_s.contains(c)) {
            int k = 1;
            while (i + k < n && patron.at(i + k) == c)
                ++k;
            QString token;
            if (c == u'A' || c == u'a') {
                token = c == u'A' ? u"AP"_s : u"ap"_s;
                if (i + k < n && (patron.at(i + k) == u'P' || patron.at(i + k) == u'p')) ++k;
            } else if (c == u'P' || c == u'p' || c == u't' || c == u'z') {
                i += k; // what the program's patterns never hold
                continue;
            } else if (c == u'y') {
                token = k >= 4 ? u"yyyy"_s : u"yy"_s;
            } else {
                token = QString(std::min(k, (c == u'd' || c == u'M') ? 4 : 2), c);
            }
            cerrarLiteral();
            out << token;
            i += k;
            continue;
        }
        literal += c;
        ++i;
    }
    cerrarLiteral();
    return out.join(QChar(31));
}

QString unir(const QStringList& l) {
    return l.join(QChar(31));
}

class DialectoPostgres final : public DialectoMotor {
public:
    QString literalFecha(const QString& iso) const override {
        return (iso.size() > 10 ? u"TIMESTAMP "_s : u"DATE "_s) + sql::literal(iso);
    }
    QString trasCadena() const override { return u" COLLATE "_s + colacion(); }
    QString funcion(const QString& nombre, int argumentos) const override {
        const QString n = nombre.toUpper();
        if (n == u"INSTR"_s) return argumentos == 2 ? u"zv_instr2"_s : u"zv_instr"_s;
        if (n == u"CSTR"_s) return u"zv_cstr"_s;
        if (n == u"REPLACE"_s && argumentos == 3) return u"zv_replace"_s;
        if (n == u"FORMAT"_s) return argumentos == 1 ? u"zv_cstr"_s : u"zv_format"_s;
        if (n == u"DAY"_s || n == u"MONTH"_s || n == u"YEAR"_s || n == u"UCASE"_s ||
            n == u"LCASE"_s || n == u"LEN"_s)
            return u"zv_"_s + n.toLower();
        if (n == u"IFNULL"_s) return u"coalesce"_s;
        return nombre;
    }
    QString parametro(int n) const override { return u"$"_s + QString::number(n); }
    QString identidad() const override { return u"ctid"_s; }
    bool identidadEstable() const override { return false; }
    QString igualONulos(const QString& a, const QString& b, bool exacto) const override {
        return exacto ? u"%1 IS NOT DISTINCT FROM %2 COLLATE \"C\""_s.arg(a, b)
                      : u"%1 IS NOT DISTINCT FROM %2"_s.arg(a, b);
    }
    QString comenzar() const override { return u"BEGIN"_s; }
    QStringList ddl(int desde) const override;
    QString momentoAviso() const override {
        // A negative lead never falls due, as in the file.
        return u"(CASE WHEN COALESCE(CalFormaAviso, 0) BETWEEN 0 AND 1000000 THEN "
               u"(CalFecha - COALESCE(CalFormaAviso, 0)::integer) + "
               u"COALESCE(CalAvisoHora, TIME '00:00:00') END)"_s;
    }
    QVariant valorMomento(const QDateTime& momento) const override {
        return momento.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    }

    QString nombreCitado(const QString&, const QString& nombre) const override {
        return nombreServidor(nombre);
    }
    QString nombre(const QString& n) const override { return nombreServidor(n); }
    bool ordenPropio() const override { return true; }
    QString terminoOrden(const QString& expresion, const QString& sufijo, bool texto,
                         bool descendente, bool nulos, bool ordenable) const override {
        QString t = texto && ordenable ? u"zv_orden(%1) COLLATE \"C\""_s.arg(expresion) : expresion;
        if (!sufijo.isEmpty()) t += u' ' + sufijo;
        // Null values are the least, as in the file.
        if (!nulos) t += descendente ? u" NULLS LAST"_s : u" NULLS FIRST"_s;
        return t;
    }
    QString desempate(const QString& tabla, const QString& alias) const override {
        const Tabla* t = tablaDe(tabla);
        if (!t) return {};
        const QString a = nombreServidor(alias);
        for (const Campo& c : t->campos)
            if (c.tipo == TipoCampo::Contador) return a + u'.' + QLatin1String(c.nombre);
        // Rows without a key, the links among them, in the order they were stored.
        return a + u".ctid"_s;
    }
    QString aliasSubconsulta(int n) const override { return u"zv_sub%1"_s.arg(n); }
    QString como() const override { return u"ILIKE"_s; }
    QString antesDeComo() const override { return u"COLLATE \"C\""_s; }
    QString trasPatronComo() const override { return u" ESCAPE ''"_s; }

private:
    static QString tabla(const Tabla& t);
    static QString indice(const esquema::Indice& i);
    static QString marca();
};

QString DialectoPostgres::tabla(const Tabla& t) {
    QStringList defs;
    for (const Campo& c : t.campos)
        defs << tipoColumna(c);
    defs += esquema::clavesAjenas(t);
    return u"CREATE TABLE %1 (\n  %2\n)"_s.arg(QLatin1String(t.nombre), defs.join(u",\n  "_s));
}

// The lists' indexes hold what their orders sort by (text by its key), then the table's key, so
// that a list comes straight from its index in the order the file gives. A unique index is
// there for equality, which the column's collation decides, as the file's does.
QString DialectoPostgres::indice(const esquema::Indice& i) {
    QStringList cols;
    for (const QString& c : i.columnas.split(u',')) {
        const QString campo = c.trimmed();
        if (i.unico)
            cols << campo;
        else
            cols << (esTexto(i.tabla, campo)
                         ? u"zv_orden(%1) COLLATE \"C\" NULLS FIRST"_s.arg(campo)
                         : campo + u" NULLS FIRST"_s);
    }
    if (!i.unico) {
        if (const Tabla* t = tablaDe(i.tabla)) {
            for (const Campo& c : t->campos)
                if (c.tipo == TipoCampo::Contador) cols << QLatin1String(c.nombre);
        }
    }
    return u"CREATE %1INDEX %2 ON %3 (%4)"_s.arg(i.unico ? u"UNIQUE "_s : QString(), i.nombre,
                                                 i.tabla, cols.join(u", "_s));
}

// What marks the database as ours, and its schema's version.
QString DialectoPostgres::marca() {
    return u"CREATE OR REPLACE FUNCTION %1() RETURNS integer[] LANGUAGE sql IMMUTABLE AS $$ "
           u"SELECT ARRAY[%2, %3] $$"_s.arg(QLatin1String(kFuncionVersion))
               .arg(esquema::kIdAplicacion)
               .arg(esquema::kVersion);
}

QStringList DialectoPostgres::ddl(int desde) const {
    QStringList s;
    if (desde > 0) {
        // What later versions added: their tables and indexes, then the new version's mark.
        for (const Tabla& t : esquema::tablas())
            if (t.version > desde) s << tabla(t);
        for (const esquema::Indice& i : esquema::indices())
            if (i.version > desde) s << indice(i);
        s << marca();
        return s;
    }
    s << u"CREATE COLLATION %1 (provider = icu, locale = 'es-u-ks-level2', deterministic = "
         u"false)"_s.arg(colacion());
    s += funciones();
    for (const Tabla& t : esquema::tablas())
        s << tabla(t);
    // A key given explicitly (a test, an import) moves the table's counter past it, as in the
    // file: the counter's next key is never one already taken; and a null key gets the next one,
    // as in the file. The check is cheap and runs for each row; the function that moves the
    // counter runs only for such a key.
    s << uR"sql(CREATE FUNCTION zv_ultimo_dado(tabla regclass, campo text) RETURNS bigint LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
SELECT coalesce(pg_sequence_last_value(pg_get_serial_sequence(tabla::text, campo)::regclass), 0) $$)sql"_s;
    s << uR"sql(CREATE FUNCTION zv_contador() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
  secuencia text := pg_get_serial_sequence(quote_ident(TG_TABLE_SCHEMA) || '.' || quote_ident(TG_TABLE_NAME), TG_ARGV[0]);
  clave bigint := (to_jsonb(NEW) ->> TG_ARGV[0])::bigint;
BEGIN
  IF clave IS NULL THEN
    NEW := jsonb_populate_record(NEW, jsonb_build_object(TG_ARGV[0], nextval(secuencia)));
  ELSE
    PERFORM setval(secuencia, clave);
  END IF;
  RETURN NEW;
END $$)sql"_s;
    for (const Tabla& t : esquema::tablas()) {
        for (const Campo& c : t.campos) {
            if (c.tipo != TipoCampo::Contador) continue;
            const QString tabla = QString::fromLatin1(t.nombre).toLower();
            const QString campo = QString::fromLatin1(c.nombre).toLower();
            s << u"CREATE TRIGGER zv_contador BEFORE INSERT ON %1 FOR EACH ROW WHEN (NEW.%2 IS NULL "
                 u"OR NEW.%2 > zv_ultimo_dado('%1'::regclass, '%2')) EXECUTE FUNCTION zv_contador('%2')"_s
                     .arg(tabla, campo);
        }
    }
    for (const esquema::Indice& i : esquema::indices())
        s << indice(i);
    // The reminder service asks only for entries not yet acknowledged whose moment has come.
    s << u"CREATE INDEX ix_CALENDARIO_aviso ON CALENDARIO ((%1)) WHERE CalFueAvisado = 0 AND "
         u"CalFecha IS NOT NULL AND CalHoraInicio IS NOT NULL"_s.arg(momentoAviso());
    s << marca();
    return s;
}

} // namespace

const DialectoMotor& elDialecto() {
    static const DialectoPostgres d;
    return d;
}

std::vector<std::pair<QString, QString>> ajustesRegionales() {
    const QLocale& l = Regional::locale();
    QStringList mesesJet, mesesCortos, mesesLargos, diasCortos, diasLargos;
    for (int m = 1; m <= 12; ++m) {
        mesesJet << Regional::mesAbreviado(m);
        mesesCortos << l.monthName(m, QLocale::ShortFormat);
        mesesLargos << l.monthName(m, QLocale::LongFormat);
    }
    for (int d = 1; d <= 7; ++d) {
        diasCortos << l.dayName(d, QLocale::ShortFormat);
        diasLargos << l.dayName(d, QLocale::LongFormat);
    }
    return {
        {u"zv.fecha_corta"_s, tokensQt(Regional::formatoFechaCorta())},
        {u"zv.hora_larga"_s, tokensQt(Regional::formatoHoraLarga())},
        {u"zv.fecha_larga"_s, tokensQt(l.dateFormat(QLocale::LongFormat))},
        {u"zv.dia_primero"_s, Regional::formatoFechaCorta().startsWith(u'M') ? u"0"_s : u"1"_s},
        {u"zv.meses_jet"_s, unir(mesesJet)},
        {u"zv.meses_cortos"_s, unir(mesesCortos)},
        {u"zv.meses_largos"_s, unir(mesesLargos)},
        {u"zv.dias_cortos"_s, unir(diasCortos)},
        {u"zv.dias_largos"_s, unir(diasLargos)},
        {u"zv.am"_s, l.amText()},
        {u"zv.pm"_s, l.pmText()},
        {u"zv.decimal"_s, l.decimalPoint()},
    };
}

} // namespace zv::motorpostgres
