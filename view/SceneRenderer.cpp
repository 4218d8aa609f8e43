#include "view/SceneRenderer.h"

#include "view/Mesh.h"
#include "view/ThreeDScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

namespace {

void drawAxis(const GLfloat ambient[4], const GLfloat diffuse[4], GLUquadric* quadric)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, -100.0f);
    gluCylinder(quadric, 3.0, 3.0, 200.0, 8, 8);
    glPopMatrix();
}

void drawAxes()
{
    static const GLfloat redAmbient[] = {0.5f, 0.0f, 0.0f, 1.0f}, red[] = {1.0f, 0.0f, 0.0f, 1.0f};
    static const GLfloat greenAmbient[] = {0.0f, 0.5f, 0.0f, 1.0f}, green[] = {0.0f, 1.0f, 0.0f, 1.0f};
    static const GLfloat blueAmbient[] = {0.0f, 0.0f, 0.5f, 1.0f}, blue[] = {0.0f, 0.0f, 1.0f, 1.0f};
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    drawAxis(redAmbient, red, quadric);              // z
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    drawAxis(greenAmbient, green, quadric);          // y
    glPopMatrix();
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    drawAxis(blueAmbient, blue, quadric);            // x
    glPopMatrix();
    gluDeleteQuadric(quadric);
    glPopAttrib();
}

void drawMesh(const RealGrid& grid, MeshSubmission submission)
{
    static const GLfloat surface[] = {0.5558823f, 0.4352941f, 0.2647059f, 1.0f};
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, surface);
    std::vector<float> vertices, normals;
    if (submission == MeshSubmission::VertexArrays) {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
    }
    for (int i = 0; i + 1 < grid.rows(); ++i) {
        const int quads = meshRow(grid, i, vertices, normals);
        if (quads == 0) continue;
        if (submission == MeshSubmission::VertexArrays) {
            glVertexPointer(3, GL_FLOAT, 0, vertices.data());
            glNormalPointer(GL_FLOAT, 0, normals.data());
            glDrawArrays(GL_QUADS, 0, quads * 4);
            continue;
        }
        for (int q = 0; q < quads; ++q) {
            const float* v = vertices.data() + q * 12;
            glBegin(GL_QUADS);
            glNormal3fv(normals.data() + q * 12);
            for (int k = 0; k < 4; ++k) glVertex3fv(v + k * 3);
            glEnd();
        }
    }
    if (submission == MeshSubmission::VertexArrays) glPopClientAttrib();
    glPopAttrib();
}

} // namespace

void initSceneGl()
{
    static const GLfloat ambient[] = {0.05f, 0.05f, 0.05f, 1.0f};
    static const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
        glLightfv(light, GL_AMBIENT, ambient);
        glLightfv(light, GL_DIFFUSE, diffuse);
        glLightfv(light, GL_SPECULAR, specular);
        glEnable(light);
    }
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
}

void setSceneViewport(int width, int height)
{
    glViewport(0, 0, width, height < 1 ? 1 : height);
}

void drawScene(const ThreeDState& state, const RealGrid* grid, MeshSubmission submission)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(state.projection.m.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(state.modelView.m.data());

    const Vec3& l = state.lightDirection;
    const GLfloat light0[] = {l[0], l[1], l[2], 0.0f};
    const GLfloat light1[] = {0.5f * l[0], 0.5f * l[1], l[2], 0.0f};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glPushMatrix();
    glLightfv(GL_LIGHT0, GL_POSITION, light0);
    glLightfv(GL_LIGHT1, GL_POSITION, light1);
    glPopMatrix();

    glPushMatrix();
    glScalef(-1.0f, 1.0f, 1.0f);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    if (state.showAxes) drawAxes();

    glPushMatrix();
    glScalef(1.0f, 1.0f, state.elevationScale);
    glTranslatef(0.0f, 0.0f, -float(state.minimumElevation));
    if (grid) drawMesh(*grid, submission);

    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
    glFlush();
}
