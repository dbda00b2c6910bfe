#pragma once

#include <QByteArray>
#include <QString>
