#include "core/signed_sum.h"

std::uint32_t addSignedBytes(const unsigned char* bytes, std::size_t count) {
  return addSignedBytesOneByOne(bytes, count);
}

std::vector<SignedSumForm> availableSignedSumForms() { return {{"one by one", addSignedBytesOneByOne}}; }
