// The steps of a careful write, one transfer after another on the one open port, and what a
// Write left in the radio, in numbers and in words.

#include "core/link/WriteWorkflow.h"

#include <algorithm>

#include "core/config/Texts.h"

namespace qx260::link
{

RadioContents contentsAfterWrite(const TransferOutcome& write)
{
    if (write.direction != Direction::Write)
        return {};
    if (write.ok())
        return {RadioContents::kAll};
    return {std::min(write.subBlocksDone, RadioContents::kAll)};
}

std::string radioHoldsText(RadioContents contents, Language language, Wording wording)
{
    const std::string all = std::to_string(wire::kBlockCount);
    std::string text;
    if (contents.unchanged())
        text = textOf(Text::RadioHoldsNothing, language);
    else if (contents.everything())
        text = formatText(Text::RadioHoldsAll, language, {all});
    else if (!contents.halfBlock())
        text =
            formatText(Text::RadioHoldsFirstBlocks, language, {std::to_string(contents.wholeBlocks()), all});
    else if (contents.wholeBlocks() == 0)
        text = formatText(Text::RadioHoldsFirstHalfBlock, language, {all});
    else
        text = formatText(
            Text::RadioHoldsFirstBlocksAndHalf, language,
            {std::to_string(contents.wholeBlocks()), std::to_string(contents.wholeBlocks() + 1), all});
    if (wording == Wording::Sentence) {
        if (language == Language::Chinese) {
            text += "。";
        } else {
            if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
                text[0] = static_cast<char>(text[0] - 'a' + 'A');
            text += '.';
        }
    }
    return text;
}

std::vector<std::size_t> differingBytes(const RadioImage& sent, const RadioImage& radio)
{
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < offset::TransferEnd; ++i)
        if (sent.byte(i) != radio.byte(i))
            offsets.push_back(i);
    return offsets;
}

WriteResult runWriteWorkflow(SerialLink& link, const RadioImage& image, const WriteWorkflow& workflow)
{
    WriteResult result;
    result.verifyAsked = workflow.verify;
    if (workflow.firstBackup)
        result.backup = *workflow.firstBackup;
    const auto transfer = [&](WriteStage stage, auto run) {
        if (workflow.stageBegins)
            workflow.stageBegins(stage);
        result.outcome = run();
        if (workflow.stageEnded)
            workflow.stageEnded(stage, result.outcome);
        return result.outcome.ok();
    };

    if (workflow.readsFirst()) {
        // The bytes that never travel are those of a new document, as a Read into one keeps them.
        result.step = WriteStep::ReadFirst;
        RadioImage radio = RadioImage::newImage();
        if (!transfer(WriteStage::ReadFirst, [&] { return readRadio(link, radio, workflow.control); }))
            return result;
        result.radioBefore = radio;
        if (workflow.keepBackup && !workflow.firstBackup) {
            result.step = WriteStep::Backup;
            result.backup = workflow.keepBackup(radio);
            if (!result.backup.ok())
                return result;
        }
        if (workflow.review) {
            result.step = WriteStep::Review;
            if (!workflow.review(radio, image))
                return result;
        }
    }

    result.step = WriteStep::Write;
    if (!transfer(WriteStage::Write, [&] { return writeRadio(link, image, workflow.control); }) ||
        !workflow.verify)
        return result;

    // The bytes that never travel stay those sent, so only what the radio holds can differ.
    result.step = WriteStep::Verify;
    RadioImage back = image;
    if (transfer(WriteStage::Verify, [&] { return readRadio(link, back, workflow.control); })) {
        result.differences = differingBytes(image, back);
        result.readBack = back;
    }
    return result;
}

WriteResult workflowNotStarted(const WriteWorkflow& workflow, const LinkResult& opened)
{
    WriteResult result;
    result.verifyAsked = workflow.verify;
    if (workflow.firstBackup)
        result.backup = *workflow.firstBackup;
    const bool readsFirst = workflow.readsFirst();
    result.step = readsFirst ? WriteStep::ReadFirst : WriteStep::Write;
    result.outcome = openFailed(opened, readsFirst ? Direction::Read : Direction::Write);
    return result;
}

} // namespace qx260::link
