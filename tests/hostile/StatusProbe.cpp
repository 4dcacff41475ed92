#include "StatusProbe.h"

#include "core/SharedObjects.h"

StatusProbe::StatusProbe() { SetMainWindow(this); }

StatusProbe::~StatusProbe() { SetMainWindow(nullptr); }
