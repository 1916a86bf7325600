#pragma once
// The grid's own exception, raised for the few hard errors of its cell and row accessors.
#include "framework/system/sysutils.h"

QM_DECLARE_EXCEPTION(EZavGridError, Exception)
