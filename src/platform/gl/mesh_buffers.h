// The ordered mesh on the graphics side: a vertex buffer uploaded when the mesh changes, and an
// index buffer that each frame fills with the triangles it draws.
#pragma once

#include <cstdint>

namespace kubrix {

class OctantOrders;
class RenderContext;

class MeshBuffers {
public:
    explicit MeshBuffers(RenderContext& context) : context_(context) {}

    // Binds the buffers for interleaved T2F_N3F_V3F vertices and the frame's unsigned int
    // indices, first uploading either when it changed or the context was replaced since. False when
    // the context offers no buffers: nothing is bound and the caller draws from client memory.
    bool bind(const OctantOrders& orders);
    // Back to client memory for the drawing that follows.
    void unbind();

private:
    RenderContext& context_;
    std::uint32_t vertexBuffer_ = 0;
    std::uint32_t indexBuffer_ = 0;
    // The context the names belong to, and the orders they hold.
    std::uint64_t contextSerial_ = 0;
    std::uint64_t uploaded_ = 0;
    std::uint64_t indicesUploaded_ = 0;
};

} // namespace kubrix
