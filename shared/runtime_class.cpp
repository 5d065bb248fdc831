#include "runtime_class.h"

const CRuntimeClass CObject::classCObject{"CObject", nullptr};
