#include "ScreenColours.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/frame.h>
#include <libavutil/macros.h>
#include <libavutil/mastering_display_metadata.h>
}

#include "FFmpegPointers.h"

#include <algorithm>
#include <dlfcn.h>
#include <string>

namespace FrameExtractor {

namespace {

// libavfilter, with the thirty-odd libraries it pulls in on Debian, adds about 30 ms to
// every start and 5 MB to every process; only HDR and wide-gamut frames need it, so it is
// loaded when the first such frame comes, and kept.
struct FilterLibrary {
    decltype(&avfilter_graph_alloc) graphAlloc = nullptr;
    decltype(&avfilter_graph_free) graphFree = nullptr;
    decltype(&avfilter_get_by_name) filterByName = nullptr;
    decltype(&avfilter_graph_create_filter) createFilter = nullptr;
    decltype(&avfilter_inout_alloc) inOutAlloc = nullptr;
    decltype(&avfilter_inout_free) inOutFree = nullptr;
    decltype(&avfilter_graph_parse_ptr) parse = nullptr;
    decltype(&avfilter_graph_config) configure = nullptr;
    decltype(&av_buffersrc_add_frame) addFrame = nullptr;
    decltype(&av_buffersink_get_frame) getFrame = nullptr;
    bool loaded = false;
};

const FilterLibrary& filterLibrary()
{
    static const FilterLibrary library = [] {
        const char* name = "libavfilter.so." AV_STRINGIFY(LIBAVFILTER_VERSION_MAJOR);
        FilterLibrary l;
        void* handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return l;
        auto bind = [handle](auto& function, const char* symbol) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(handle, symbol));
            return function != nullptr;
        };
        l.loaded = bind(l.graphAlloc, "avfilter_graph_alloc") && bind(l.graphFree, "avfilter_graph_free")
            && bind(l.filterByName, "avfilter_get_by_name") && bind(l.createFilter, "avfilter_graph_create_filter")
            && bind(l.inOutAlloc, "avfilter_inout_alloc") && bind(l.inOutFree, "avfilter_inout_free")
            && bind(l.parse, "avfilter_graph_parse_ptr") && bind(l.configure, "avfilter_graph_config")
            && bind(l.addFrame, "av_buffersrc_add_frame") && bind(l.getFrame, "av_buffersink_get_frame");
        return l;
    }();
    return library;
}

} // namespace

bool loadFilterLibrary()
{
    return filterLibrary().loaded;
}

namespace {

struct GraphFreer {
    void operator()(AVFilterGraph* p) const { filterLibrary().graphFree(&p); }
};
struct InOutFreer {
    void operator()(AVFilterInOut* p) const { filterLibrary().inOutFree(&p); }
};

// SDR white in an HDR picture (ITU-R BT.2408): it becomes white on the screen.
constexpr double referenceWhite = 203;
// What consumer HDR is mastered for when the video does not say.
constexpr double typicalPeak = 1000;

bool isHdr(const AVFrame* frame)
{
    return frame->color_trc == AVCOL_TRC_SMPTE2084 || frame->color_trc == AVCOL_TRC_ARIB_STD_B67;
}

// The brightest light in the video, in cd/m2, as its metadata declares it.
double peakOf(const AVFrame* frame)
{
    double peak = 0;
    if (const AVFrameSideData* side = av_frame_get_side_data(frame, AV_FRAME_DATA_CONTENT_LIGHT_LEVEL);
        side && side->size >= sizeof(AVContentLightMetadata))
        peak = reinterpret_cast<const AVContentLightMetadata*>(side->data)->MaxCLL;
    if (const AVFrameSideData* side = av_frame_get_side_data(frame, AV_FRAME_DATA_MASTERING_DISPLAY_METADATA);
        peak <= 0 && side && side->size >= sizeof(AVMasteringDisplayMetadata)) {
        const auto* mastering = reinterpret_cast<const AVMasteringDisplayMetadata*>(side->data);
        if (mastering->has_luminance && mastering->max_luminance.den > 0)
            peak = av_q2d(mastering->max_luminance);
    }
    return peak > 0 ? peak : typicalPeak;
}

// zscale reads the source's colours from the frame; where the video leaves some unsaid,
// say what such video is.
void completeColourTags(AVFrame* frame)
{
    if (frame->color_primaries == AVCOL_PRI_UNSPECIFIED)
        frame->color_primaries = AVCOL_PRI_BT2020;
    if (frame->colorspace == AVCOL_SPC_UNSPECIFIED)
        frame->colorspace = frame->color_primaries == AVCOL_PRI_BT2020 ? AVCOL_SPC_BT2020_NCL : AVCOL_SPC_BT709;
    if (frame->color_range == AVCOL_RANGE_UNSPECIFIED)
        frame->color_range = AVCOL_RANGE_MPEG;
    if (frame->color_trc == AVCOL_TRC_UNSPECIFIED)
        frame->color_trc = AVCOL_TRC_BT709;
}

// zimg does the colour science: to linear light (SDR white at 1.0) in BT.709 primaries,
// HDR highlights rolled off by the Möbius curve (which leaves everything up to SDR white
// nearly as it is), back to the BT.709 transfer, full-range planar RGB.
std::string filtersFor(const AVFrame* frame, int width, bool alpha)
{
    std::string filters = "zscale=t=linear:npl=" + std::to_string(referenceWhite) + ":p=bt709,format="
        + (alpha ? "gbrapf32le" : "gbrpf32le");
    if (isHdr(frame))
        filters += ",tonemap=tonemap=mobius:desat=0:peak=" + std::to_string(std::max(peakOf(frame) / referenceWhite, 1.0));
    filters += ",zscale=t=bt709:m=bt709:r=full:w=" + std::to_string(width) + ":h=" + std::to_string(frame->height);
    filters += alpha ? ",format=gbrap" : ",format=gbrp";
    return filters;
}

} // namespace

bool mayNeedScreenConversion(int transfer, int primaries)
{
    return transfer == AVCOL_TRC_SMPTE2084 || transfer == AVCOL_TRC_ARIB_STD_B67 || primaries == AVCOL_PRI_BT2020;
}

bool needsScreenConversion(const AVFrame* frame)
{
    return mayNeedScreenConversion(frame->color_trc, frame->color_primaries);
}

int convertForScreen(const AVFrame* source, int width, bool alpha, Image& image)
{
    const FilterLibrary& filters = filterLibrary();
    if (!filters.loaded)
        return AVERROR_FILTER_NOT_FOUND;
    std::unique_ptr<AVFilterGraph, GraphFreer> graph(filters.graphAlloc());
    if (!graph)
        return AVERROR(ENOMEM);

    const std::string bufferArguments = "video_size=" + std::to_string(source->width) + "x"
        + std::to_string(source->height) + ":pix_fmt=" + std::to_string(source->format) + ":time_base=1/1:pixel_aspect=1/1";
    AVFilterContext* input = nullptr;
    AVFilterContext* output = nullptr;
    if (int error = filters.createFilter(&input, filters.filterByName("buffer"), "in", bufferArguments.c_str(), nullptr,
                                         graph.get());
        error < 0)
        return error;
    if (int error = filters.createFilter(&output, filters.filterByName("buffersink"), "out", nullptr, nullptr, graph.get());
        error < 0)
        return error;

    // The chain's open ends: its input is fed by "in", its output feeds "out".
    std::unique_ptr<AVFilterInOut, InOutFreer> chainInput(filters.inOutAlloc());
    std::unique_ptr<AVFilterInOut, InOutFreer> chainOutput(filters.inOutAlloc());
    if (!chainInput || !chainOutput)
        return AVERROR(ENOMEM);
    chainInput->name = av_strdup("in");
    chainInput->filter_ctx = input;
    chainOutput->name = av_strdup("out");
    chainOutput->filter_ctx = output;
    AVFilterInOut* inputs = chainOutput.release();
    AVFilterInOut* outputs = chainInput.release();
    const int parsed =
        filters.parse(graph.get(), filtersFor(source, width, alpha).c_str(), &inputs, &outputs, nullptr);
    filters.inOutFree(&inputs);
    filters.inOutFree(&outputs);
    if (parsed < 0)
        return parsed;
    if (int error = filters.configure(graph.get(), nullptr); error < 0)
        return error;

    FramePtr frame = makeFrame();
    if (int error = av_frame_ref(frame.get(), source); error < 0)
        return error;
    completeColourTags(frame.get());
    if (int error = filters.addFrame(input, frame.get()); error < 0)
        return error;
    if (int error = filters.addFrame(input, nullptr); error < 0)
        return error;
    if (int error = filters.getFrame(output, frame.get()); error < 0)
        return error;

    if (frame->width != width || frame->height != source->height)
        return AVERROR_BUG;
    // Planar G, B, R (and A) to packed RGB(A).
    const int channels = alpha ? 4 : 3;
    image.width = width;
    image.height = frame->height;
    image.channels = channels;
    image.pixels.resize(static_cast<std::size_t>(width) * image.height * channels);
    constexpr int planeOfChannel[4] = {2, 0, 1, 3};
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* out = image.row(y);
        for (int c = 0; c < channels; ++c) {
            const std::uint8_t* in = frame->data[planeOfChannel[c]] + static_cast<std::ptrdiff_t>(y) * frame->linesize[planeOfChannel[c]];
            for (int x = 0; x < width; ++x)
                out[x * channels + c] = in[x];
        }
    }
    return 0;
}

} // namespace FrameExtractor
