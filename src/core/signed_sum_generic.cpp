#include "core/signed_sum.h"

ByteSums addBytes(const unsigned char* bytes, std::size_t count) { return addBytesOneByOne(bytes, count); }

std::vector<ByteSumForm> availableByteSumForms() { return {{"one by one", addBytesOneByOne}}; }
