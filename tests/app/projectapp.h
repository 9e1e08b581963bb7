// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/appfixture.h"

// The program over project files of the given texts, with a settings file so that no first-start
// box comes; start() is left to the test.
struct ProjectApp : AppFixture {
    explicit ProjectApp(const QByteArray& slo = {}, const QByteArray& vlo = {}, const QByteArray& notes = {})
    {
        prepareProject(slo, vlo, notes);
    }
    ProjectApp(const QByteArray& slo, const QByteArray& vlo, const QByteArray& notes,
               const QByteArray& settings)
    {
        prepareProject(slo, vlo, notes, settings);
    }
};
