#include "runtime_class.h"

const CRuntimeClass CObject::classCObject{"CObject", nullptr};

// Defined here so that the class's vtable lives in the shared library alone.
CObject::~CObject() = default;
