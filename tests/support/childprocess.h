#pragma once
// Runs a program in a folder of its own with some environment variables replaced, its output in files.
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class ChildProcess
{
public:
    // Output goes to stdoutPath and stderrPath; overrides replace (or, when empty, remove) variables.
    ChildProcess(const std::string& program, std::vector<std::string> arguments, const std::string& workingFolder,
                 const std::string& stdoutPath, const std::string& stderrPath,
                 const std::map<std::string, std::string>& overrides)
    {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry)
        {
            const std::string text = *entry;
            if (!overrides.contains(text.substr(0, text.find('='))))
                environment.push_back(text);
        }
        for (const auto& [name, value] : overrides)
        {
            if (!value.empty())
                environment.push_back(name + "=" + value);
        }
        arguments.insert(arguments.begin(), program);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::vector<char*> argv = Pointers(arguments);
        const std::vector<char*> envp = Pointers(environment);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess()
    {
        if (pid_ > 0 && !exited_)
        {
            kill(pid_, SIGKILL);
            Wait();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    void Signal(int signal) const { kill(pid_, signal); }
    // The exit code; -1 when the program did not exit by itself, -2 when it was killed after the timeout.
    int Wait(int timeoutMilliseconds = 120000)
    {
        int status = 0;
        for (int waited = 0; waitpid(pid_, &status, WNOHANG) == 0; waited += 10)
        {
            if (waited >= timeoutMilliseconds)
            {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                exited_ = true;
                return -2;
            }
            usleep(10000);
        }
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts)
    {
        std::vector<char*> pointers;
        for (std::string& text : texts)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = -1;
    bool exited_ = false;
};
