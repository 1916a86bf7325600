#pragma once
// The drawing model of the grid's fixed cells.

enum class TGridLook { glStandard, glSoft, glClassic, glZAV, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
using enum TGridLook;
