#pragma once

enum LogKind : int { lkRead = 0, lkWrite = 1, lkReadError = 2, lkWriteError = 3, lkGeneral = 4 };
