// libvellix: e-text databases and text encodings. Include this for everything.
#pragma once

#include "encodings/conversion_table.h"
#include "encodings/enc_guesser.h"
#include "encodings/registry.h"
#include "encodings/string_additions.h"
#include "engine/conversion.h"
#include "engine/doc_format.h"
#include "engine/errors.h"
#include "engine/file_type.h"
#include "engine/sampling.h"
#include "platform/localization.h"
#include "platform/ui.h"
