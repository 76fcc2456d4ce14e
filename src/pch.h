// Precompiled header shared by every Zelvora library: the Qt headers almost every file uses.
#pragma once
#ifdef __cplusplus
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#endif
