// One run of logo_bin_info: the report on an image, and what the options
// ask for besides (the size check, a preview, the memory contents).
#ifndef LOGO_WRAP_BIN_INFO_RUN_H_
#define LOGO_WRAP_BIN_INFO_RUN_H_

#include "bin_info_options.h"

// 0: the image is consistent; 1: problems were found, each on a line of
// the report; 2: the file could not be read, or a file asked for could not
// be written, or the report not printed (message on standard error).
int checkImage(const InfoOptions& options);

#endif  // LOGO_WRAP_BIN_INFO_RUN_H_
