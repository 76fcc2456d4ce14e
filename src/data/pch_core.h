// Precompiled header of the data library: Qt Core only, this library has no widgets.
#pragma once
#ifdef __cplusplus
#include <QtCore>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#endif
