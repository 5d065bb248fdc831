#include "host/views/forms/form_views.h"

#include "host/views/view_registry.h"

void RegisterFormViews(CViewRegistry&) {}
