#include "words/report_words.h"

#include "core/hex_text.h"

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

Message checksumMessage(ChecksumKind kind) {
  switch (kind) {
    case ChecksumKind::kCutShort:
      return Message::kChecksumCutShort;
    case ChecksumKind::kBoth:
      return Message::kChecksumBoth;
    case ChecksumKind::kSigned:
      return Message::kChecksumSigned;
    case ChecksumKind::kUnsigned:
      return Message::kChecksumUnsigned;
    case ChecksumKind::kNeither:
      break;
  }
  return Message::kChecksumNeither;
}

std::string recordLine(const Words& say, const RecordSummary& record) {
  const RecordHeader& header = record.header;
  return say(Message::kReportRecord,
             {{"record", number(record.index)},
              {"address", hex32(header.address)},
              {"length", number(header.length)},
              {"checksum", hex32(header.checksum)},
              {"kind", say(checksumMessage(checksumKind(record)), {{"present", number(record.presentBytes)}})}});
}

}  // namespace

std::string problemText(const Words& say, const ImageProblem& problem) {
  return std::visit(
      Overloaded{
          [&](const problem::NotAnImage&) { return say(Message::kProblemNotAnImage); },
          [&](const problem::ShorterThanImageHeader& p) {
            return say(Message::kProblemShorterThanHeader,
                       {{"bytes", number(p.fileBytes)}, {"header", number(kImageHeaderSize)}});
          },
          [&](const problem::EndsInRecordHeader& p) {
            return say(Message::kProblemEndsInRecordHeader, {{"record", number(p.record)},
                                                              {"header", number(kRecordHeaderSize)},
                                                              {"bytes", number(p.headerBytes)}});
          },
          [&](const problem::DataCutShort& p) {
            return say(Message::kProblemDataCutShort,
                       {{"record", number(p.record)}, {"present", number(p.present)}, {"length", number(p.length)}});
          },
          [&](const problem::PastAddressSpace& p) {
            return say(Message::kProblemPastAddressSpace,
                       {{"record", number(p.record)}, {"address", hex32(p.address)}, {"length", number(p.length)}});
          },
          [&](const problem::ChecksumMatchesNeither& p) {
            return say(Message::kProblemChecksum, {{"record", number(p.record)},
                                                   {"checksum", hex32(p.checksum)},
                                                   {"signed", hex32(p.signedSum)},
                                                   {"unsigned", hex32(p.unsignedSum)}});
          },
          [&](const problem::BytesAfterEndRecord& p) {
            return say(Message::kProblemAfterEndRecord, {{"count", number(p.count)}});
          },
          [&](const problem::NoRecords&) { return say(Message::kProblemNoRecords); },
          [&](const problem::NotTheExtent& p) {
            return say(Message::kProblemNotTheExtent, {{"address", hex32(p.address)},
                                                       {"length", number(p.length)},
                                                       {"extent_address", hex32(p.extentAddress)},
                                                       {"extent_length", number(p.extentLength)}});
          },
          [&](const problem::WrongDataSize& p) {
            return say(Message::kProblemWrongDataSize, {{"length", number(p.length)},
                                                        {"needed", number(p.needed)},
                                                        {"panel", formatPanelSize(p.panel)},
                                                        {"pixel", p.pixel->name}});
          },
      },
      problem);
}

std::string reportLine(const Words& say, const ReportLine& line) {
  return std::visit(
      Overloaded{
          [&](const report::Sync& l) {
            const std::string bytes = hexBytes(l.bytes.data(), kSyncSize);
            if (l.asExpected()) return say(Message::kReportSyncAsExpected, {{"bytes", bytes}});
            return say(Message::kReportSyncUnexpected,
                       {{"bytes", bytes}, {"expected", hexBytes(kSyncBytes.data(), kSyncSize)}});
          },
          [&](const report::ImageAddress& l) {
            return say(Message::kReportImageAddress, {{"address", hex32(l.address)}});
          },
          [&](const report::ImageLength& l) { return say(Message::kReportImageLength, {{"length", number(l.length)}}); },
          [&](const report::Record& l) { return recordLine(say, l.record); },
          [&](const report::EndRecord& l) {
            if (!l.startAddress) return say(Message::kReportNoEndRecord);
            return say(Message::kReportEndRecord, {{"address", hex32(*l.startAddress)}});
          },
          [&](const report::RawContents& l) { return say(Message::kReportRaw, {{"bytes", number(l.bytes)}}); },
          [&](const report::Panel& l) {
            return say(Message::kReportPanel,
                       {{"panel", formatPanelSize(l.panel)}, {"pixel", l.pixel->name}, {"bytes", number(l.bytes)}});
          },
          [&](const report::PictureNote& l) {
            return say(l.raw ? Message::kReportRawPictureNote : Message::kReportPictureNote, {{"type", l.type}});
          },
          [&](const report::Extracted& l) {
            if (!l.file) return say(Message::kReportNothingExtracted);
            return say(Message::kReportExtracted, {{"file", *l.file}});
          },
          [&](const report::Preview& l) {
            return say(Message::kReportPreview, {{"screen", formatPanelSize(l.screen)}, {"file", l.file}});
          },
          [&](const report::Problem& l) { return say(Message::kReportProblem, {{"problem", problemText(say, l.problem)}}); },
          [&](const report::Consistent&) { return say(Message::kReportConsistent); },
      },
      line);
}

std::string reportText(const Words& words, const std::vector<ReportLine>& lines) {
  std::string text;
  for (const ReportLine& line : lines) text += reportLine(words, line) + "\n";
  return text;
}

std::optional<Message> adviceFor(const ReportLine& line) {
  if (std::holds_alternative<report::PictureNote>(line)) return Message::kAdvicePicture;
  const auto* found = std::get_if<report::Problem>(&line);
  if (!found) return std::nullopt;
  const ImageProblem& problem = found->problem;
  if (std::holds_alternative<problem::NotAnImage>(problem)) return Message::kAdviceNotAnImage;
  if (std::holds_alternative<problem::WrongDataSize>(problem)) return Message::kAdviceWrongDataSize;
  if (std::holds_alternative<problem::ChecksumMatchesNeither>(problem)) return Message::kAdviceDamaged;
  if (std::holds_alternative<problem::DataCutShort>(problem) ||
      std::holds_alternative<problem::EndsInRecordHeader>(problem) ||
      std::holds_alternative<problem::ShorterThanImageHeader>(problem))
    return Message::kAdviceCutShort;
  return std::nullopt;
}
