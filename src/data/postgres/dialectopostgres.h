#pragma once
// The server engine's dialect and what its connections hand the server. Only data/postgres
// includes this header.
#include "data/motor.h"

#include <QString>
#include <utility>
#include <vector>

namespace zv::motorpostgres {

// The function that marks a database as ours: it returns {application id, schema version}.
inline constexpr const char* kFuncionVersion = "zelvora_version";

const DialectoMotor& elDialecto();

// The regional settings CSTR and FORMAT write with (zv.* settings of each connection), from the
// program's regional formats (data/regional.h).
std::vector<std::pair<QString, QString>> ajustesRegionales();

} // namespace zv::motorpostgres
