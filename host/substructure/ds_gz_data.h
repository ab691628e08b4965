// ds_gz_data under the name the pedestal module includes it by; the record
// itself lives with the substructure accessors in the framework.
#pragma once

#include "host/framework/ds_gz_data.h"
