#include "common/HandOver.h"

HandOverValues gHandOver;
