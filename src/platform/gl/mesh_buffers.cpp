// Vertex and index buffers of the ordered mesh, through the buffer entry points Qt resolves for
// the current context.
#include "platform/gl/mesh_buffers.h"

#include "core/scene/octant_orders.h"
#include "platform/gl/render_context.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace kubrix {

namespace {

// Null when the current context has no buffer objects (OpenGL before 1.5 without the extension).
QOpenGLFunctions* bufferFunctions()
{
    QOpenGLContext* current = QOpenGLContext::currentContext();
    if (current == nullptr)
        return nullptr;
    QOpenGLFunctions* gl = current->functions();
    return gl->hasOpenGLFeature(QOpenGLFunctions::Buffers) ? gl : nullptr;
}

template <typename T> GLsizeiptr bytesOf(std::span<const T> data)
{
    return static_cast<GLsizeiptr>(data.size_bytes());
}

} // namespace

bool MeshBuffers::bind(const OctantOrders& orders)
{
    if (!context_.ready() || !orders.valid())
        return false;
    QOpenGLFunctions* gl = bufferFunctions();
    if (gl == nullptr)
        return false;
    if (contextSerial_ != context_.serial()) {
        // Names of an earlier context went with it.
        contextSerial_ = context_.serial();
        vertexBuffer_ = 0;
        indexBuffer_ = 0;
        uploaded_ = 0;
        indicesUploaded_ = 0;
    }
    if (vertexBuffer_ == 0) {
        GLuint names[2] = {0, 0};
        gl->glGenBuffers(2, names);
        vertexBuffer_ = names[0];
        indexBuffer_ = names[1];
    }
    gl->glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    if (uploaded_ != orders.generation()) {
        gl->glBufferData(GL_ARRAY_BUFFER, bytesOf(orders.vertices()), orders.vertices().data(),
                         GL_STATIC_DRAW);
        uploaded_ = orders.generation();
    }
    if (indicesUploaded_ != orders.indicesRevision()) {
        gl->glBufferData(GL_ELEMENT_ARRAY_BUFFER, bytesOf(orders.indices()),
                         orders.indices().data(), GL_STREAM_DRAW);
        indicesUploaded_ = orders.indicesRevision();
    }
    return true;
}

void MeshBuffers::unbind()
{
    QOpenGLFunctions* gl = bufferFunctions();
    if (gl == nullptr)
        return;
    gl->glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace kubrix
