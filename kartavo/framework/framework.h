// The framework layer: the least of a component framework that the package needs.
#pragma once

#include "kartavo/framework/alignment.h"
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/codepage.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/date_time.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/font_style.h"
#include "kartavo/framework/object.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/short_string.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
